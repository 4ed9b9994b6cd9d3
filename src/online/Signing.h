#pragma once
// Ed25519 signatures and SHA-256 digests for the update folder, by libsodium. Keys, digests
// and signatures travel as lowercase hexadecimal text so that they fit in a CMake setting, a
// manifest line or a small file.
#include <optional>
#include <string>

// The key that signs the game's updates, as set when the game was built; empty when the build
// has none, and then no update is accepted.
std::string BuiltInUpdateKey();

// Lowercase hexadecimal of the bytes, and back (nullopt on anything but an even run of hex digits).
std::string ToHex(const std::string& bytes);
std::optional<std::string> FromHex(const std::string& text);

// Whether the text is a public key: 64 hex digits.
bool IsPublicKeyText(const std::string& text);
// True when `signatureHex` is the signature of `message` by the key `publicKeyHex`; false for
// a malformed key or signature as well.
bool SignatureIsValid(const std::string& message, const std::string& signatureHex,
                      const std::string& publicKeyHex);

// SHA-256 of a file's bytes, hex; empty when it cannot be read.
std::string FileSha256(const std::string& fileName);
// SHA-256 of bytes in memory, hex.
std::string Sha256(const std::string& bytes);

// A fresh key pair: `secretHex` signs, `publicHex` checks.
void MakeKeyPair(std::string& secretHex, std::string& publicHex);
// The signature of `message` by a secret key made by MakeKeyPair; empty for a malformed key.
std::string Sign(const std::string& message, const std::string& secretHex);
