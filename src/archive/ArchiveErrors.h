#pragma once
// Errors of the archive library. Each carries the text the player is shown.
#include <stdexcept>
#include <string>

struct EArchiveError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct ESignatureWrong : EArchiveError {
    ESignatureWrong() : EArchiveError("Wrong Signature. Archive could be corrupted.") {}
};

struct ESeekError : EArchiveError {
    ESeekError() : EArchiveError("SmartSeek General error") {}
};

// Reading past a block's coded length in bit mode: the block is corrupt.
struct EBitReadLimit : EArchiveError {
    EBitReadLimit() : EArchiveError("Too many bytes read in bit mode.") {}
};

// A header or coded stream that cannot be valid (sizes past the end of the file, indexes
// outside the block, a block that decodes too long).
struct ECorruptArchive : EArchiveError {
    using EArchiveError::EArchiveError;
};

struct EFileOpenError : EArchiveError {
    using EArchiveError::EArchiveError;
};

struct EUserCancel : EArchiveError {
    using EArchiveError::EArchiveError;
};

struct EFileNotExtracted : EArchiveError {
    EFileNotExtracted() : EArchiveError("Destination file exists. File not extracted.") {}
};

struct EInOutError : EArchiveError {
    using EArchiveError::EArchiveError;
};
