// The exceptions the ZIP reader raises. Every one carries the text the user
// or the caller sees; the classes tell callers what went wrong.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace qz {

// A general error of the reader's own (bad seek origin, missing string table).
class EUnzipError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Buffered streams.
class EStreamError : public EUnzipError {
public:
    using EUnzipError::EUnzipError;
};
class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

// Containers: bad index, duplicates, misuse of a sorted list.
class EListError : public EUnzipError {
public:
    using EUnzipError::EUnzipError;
};

// Archives.
class EBadZipFile : public EUnzipError {
public:
    using EUnzipError::EUnzipError;
};
class EIncompleteZip : public EUnzipError {
public:
    using EUnzipError::EUnzipError;
};
class EFatalUnzipError : public EUnzipError {
public:
    using EUnzipError::EUnzipError;
};
class EUserCanceled : public EUnzipError {
public:
    using EUnzipError::EUnzipError;
};
class EBiggerThanUncompressed : public EUnzipError {
public:
    using EUnzipError::EUnzipError;
};

// Replaces the first "%s" or "%d" of a message pattern.
std::string formatMessage(std::string_view pattern, std::string_view argument);
std::string formatMessage(std::string_view pattern, long long argument);

} // namespace qz
