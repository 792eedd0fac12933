#include "Sha256.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include <windows.h>
// After windows.h, which it needs.
#include <bcrypt.h>

namespace carvel {

// SHA-256 from Windows' own cryptography (BCrypt), which takes the processor's SHA instructions
// where it has them.
struct Sha256::Context {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    BCRYPT_HASH_HANDLE hash = nullptr;
    ~Context() {
        if (hash != nullptr)
            ::BCryptDestroyHash(hash);
        if (algorithm != nullptr)
            ::BCryptCloseAlgorithmProvider(algorithm, 0);
    }
};

namespace {

bool succeeded(NTSTATUS status) {
    return status >= 0;
}

void startHash(BCRYPT_ALG_HANDLE algorithm, BCRYPT_HASH_HANDLE& hash) {
    if (hash != nullptr)
        ::BCryptDestroyHash(std::exchange(hash, nullptr));
    if (!succeeded(::BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0)))
        throw std::runtime_error("Cannot compute checksums: SHA-256 is not available");
}

} // namespace

Sha256::Sha256() : m_context(std::make_unique<Context>()) {
    if (!succeeded(::BCryptOpenAlgorithmProvider(&m_context->algorithm, BCRYPT_SHA256_ALGORITHM,
                                                 nullptr, 0)))
        throw std::runtime_error("Cannot compute checksums: SHA-256 is not available");
    startHash(m_context->algorithm, m_context->hash);
}

Sha256::~Sha256() = default;

void Sha256::update(const char* data, std::size_t size) {
    // BCrypt takes at most 4 GiB less a byte per call.
    while (size > 0) {
        const auto part = static_cast<ULONG>(std::min<std::size_t>(size, 1u << 30));
        if (!succeeded(::BCryptHashData(
                m_context->hash, reinterpret_cast<PUCHAR>(const_cast<char*>(data)), part, 0)))
            throw std::runtime_error("Cannot compute checksums: SHA-256 failed");
        data += part;
        size -= part;
    }
}

std::string Sha256::finish() {
    unsigned char digest[32];
    if (!succeeded(::BCryptFinishHash(m_context->hash, digest, sizeof digest, 0)))
        throw std::runtime_error("Cannot compute checksums: SHA-256 failed");
    static const char kHex[] = "0123456789abcdef";
    std::string text;
    for (const unsigned char byte : digest) {
        text += kHex[byte >> 4];
        text += kHex[byte & 0xF];
    }
    startHash(m_context->algorithm, m_context->hash);
    return text;
}

} // namespace carvel
