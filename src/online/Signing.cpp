#include "online/Signing.h"

#include <cstdio>
#include <memory>
#include <sodium.h>
#include <stdexcept>

#ifndef QUILLON_UPDATE_PUBLIC_KEY
#define QUILLON_UPDATE_PUBLIC_KEY ""
#endif

namespace {

void StartSodium() {
    // Safe to call more than once and from several threads.
    if (sodium_init() < 0) throw std::runtime_error("Cannot start the signature library.");
}

} // namespace

std::string BuiltInUpdateKey() {
    return QUILLON_UPDATE_PUBLIC_KEY;
}

std::string ToHex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (unsigned char c : bytes) {
        text += digits[c >> 4];
        text += digits[c & 15];
    }
    return text;
}

std::optional<std::string> FromHex(const std::string& text) {
    if (text.size() % 2 != 0) return std::nullopt;
    auto value = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    std::string bytes;
    bytes.reserve(text.size() / 2);
    for (size_t i = 0; i < text.size(); i += 2) {
        const int high = value(text[i]);
        const int low = value(text[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes += static_cast<char>(high * 16 + low);
    }
    return bytes;
}

bool IsPublicKeyText(const std::string& text) {
    const auto bytes = FromHex(text);
    return bytes && bytes->size() == crypto_sign_PUBLICKEYBYTES;
}

bool SignatureIsValid(const std::string& message, const std::string& signatureHex,
                      const std::string& publicKeyHex) {
    StartSodium();
    const auto key = FromHex(publicKeyHex);
    const auto signature = FromHex(signatureHex);
    if (!key || key->size() != crypto_sign_PUBLICKEYBYTES) return false;
    if (!signature || signature->size() != crypto_sign_BYTES) return false;
    return crypto_sign_verify_detached(reinterpret_cast<const unsigned char*>(signature->data()),
                                       reinterpret_cast<const unsigned char*>(message.data()), message.size(),
                                       reinterpret_cast<const unsigned char*>(key->data())) == 0;
}

std::string Sha256(const std::string& bytes) {
    StartSodium();
    unsigned char digest[crypto_hash_sha256_BYTES];
    crypto_hash_sha256(digest, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    return ToHex(std::string(reinterpret_cast<const char*>(digest), sizeof digest));
}

std::string FileSha256(const std::string& fileName) {
    StartSodium();
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(fileName.c_str(), "rb"), std::fclose);
    if (!file) return "";
    crypto_hash_sha256_state state;
    crypto_hash_sha256_init(&state);
    unsigned char buffer[64 * 1024];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;)
        crypto_hash_sha256_update(&state, buffer, n);
    if (std::ferror(file.get())) return "";
    unsigned char digest[crypto_hash_sha256_BYTES];
    crypto_hash_sha256_final(&state, digest);
    return ToHex(std::string(reinterpret_cast<const char*>(digest), sizeof digest));
}

void MakeKeyPair(std::string& secretHex, std::string& publicHex) {
    StartSodium();
    unsigned char publicKey[crypto_sign_PUBLICKEYBYTES];
    unsigned char secretKey[crypto_sign_SECRETKEYBYTES];
    crypto_sign_keypair(publicKey, secretKey);
    publicHex = ToHex(std::string(reinterpret_cast<const char*>(publicKey), sizeof publicKey));
    secretHex = ToHex(std::string(reinterpret_cast<const char*>(secretKey), sizeof secretKey));
    sodium_memzero(secretKey, sizeof secretKey);
}

std::string Sign(const std::string& message, const std::string& secretHex) {
    StartSodium();
    const auto key = FromHex(secretHex);
    if (!key || key->size() != crypto_sign_SECRETKEYBYTES) return "";
    unsigned char signature[crypto_sign_BYTES];
    crypto_sign_detached(signature, nullptr, reinterpret_cast<const unsigned char*>(message.data()),
                         message.size(), reinterpret_cast<const unsigned char*>(key->data()));
    return ToHex(std::string(reinterpret_cast<const char*>(signature), sizeof signature));
}
