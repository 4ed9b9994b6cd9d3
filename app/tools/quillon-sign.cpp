// quillon-sign: the update maintainer's keys and signatures.
//
//   quillon-sign new-key SECRET-FILE PUBLIC-FILE   a key pair (the secret file readable by its owner only)
//   quillon-sign sign SECRET-FILE FILE SIGNATURE-FILE
//   quillon-sign verify PUBLIC-FILE FILE SIGNATURE-FILE
//
// Keys and signatures are hexadecimal text. The public key is what the game is built with
// (cmake -DQUILLON_UPDATE_PUBLIC_KEY=<its text>). Exit status 0 on success, 1 when a step
// fails (a bad signature among them), 2 on bad arguments.
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "online/Signing.h"
#include "state/TextFields.h"

namespace {

int Usage(const char* why) {
    if (why) std::fprintf(stderr, "quillon-sign: %s\n", why);
    std::fprintf(stderr, "usage: quillon-sign new-key SECRET-FILE PUBLIC-FILE\n"
                         "       quillon-sign sign SECRET-FILE FILE SIGNATURE-FILE\n"
                         "       quillon-sign verify PUBLIC-FILE FILE SIGNATURE-FILE\n");
    return 2;
}

int Fail(const std::string& text) {
    std::fprintf(stderr, "quillon-sign: %s\n", text.c_str());
    return 1;
}

bool ReadAll(const std::string& name, std::string& bytes) {
    std::ifstream in(name, std::ios::binary);
    if (!in) return false;
    std::ostringstream text;
    text << in.rdbuf();
    bytes = text.str();
    return true;
}

// Writes a new file with the given mode; an existing file is never replaced when `fresh`.
bool WriteText(const std::string& name, const std::string& text, mode_t mode, bool fresh) {
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | (fresh ? O_EXCL : O_TRUNC), mode);
    if (fd < 0) return false;
    const std::string line = text + "\n";
    const bool written = write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size());
    return close(fd) == 0 && written;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) return Usage(nullptr);
    const std::string command = argv[1];
    if (command == "new-key") {
        if (argc != 4) return Usage("new-key needs SECRET-FILE and PUBLIC-FILE");
        std::string secret, publicKey;
        MakeKeyPair(secret, publicKey);
        if (!WriteText(argv[2], secret, 0600, true))
            return Fail(std::string("cannot create ") + argv[2] + " (it must not exist yet)");
        if (!WriteText(argv[3], publicKey, 0644, false)) return Fail(std::string("cannot write ") + argv[3]);
        std::printf("%s\n", publicKey.c_str());
        return 0;
    }
    if (command == "sign" || command == "verify") {
        if (argc != 5) return Usage((command + " needs a key file, a file and a signature file").c_str());
        std::string key, message;
        if (!ReadAll(argv[2], key)) return Fail(std::string("cannot read ") + argv[2]);
        if (!ReadAll(argv[3], message)) return Fail(std::string("cannot read ") + argv[3]);
        key = Trim(key);
        if (command == "sign") {
            const std::string signature = Sign(message, key);
            if (signature.empty()) return Fail(std::string(argv[2]) + " holds no secret key");
            if (!WriteText(argv[4], signature, 0644, false))
                return Fail(std::string("cannot write ") + argv[4]);
            return 0;
        }
        std::string signature;
        if (!ReadAll(argv[4], signature)) return Fail(std::string("cannot read ") + argv[4]);
        if (!IsPublicKeyText(key)) return Fail(std::string(argv[2]) + " holds no public key");
        if (!SignatureIsValid(message, Trim(signature), key))
            return Fail(std::string("the signature of ") + argv[3] + " is wrong");
        return 0;
    }
    return Usage(("unknown command " + command).c_str());
}
