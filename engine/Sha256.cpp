#include "Sha256.h"

#include <openssl/evp.h>
#include <stdexcept>

namespace carvel {

struct Sha256::Context {
    EVP_MD_CTX* ctx = EVP_MD_CTX_new();
    ~Context() { EVP_MD_CTX_free(ctx); }
};

namespace {

void start(EVP_MD_CTX* ctx) {
    if (ctx == nullptr || EVP_DigestInit_ex(ctx, EVP_sha256(), nullptr) != 1)
        throw std::runtime_error("Cannot compute checksums: SHA-256 is not available");
}

} // namespace

Sha256::Sha256() : m_context(std::make_unique<Context>()) {
    start(m_context->ctx);
}

Sha256::~Sha256() = default;

void Sha256::update(const char* data, std::size_t size) {
    if (EVP_DigestUpdate(m_context->ctx, data, size) != 1)
        throw std::runtime_error("Cannot compute checksums: SHA-256 failed");
}

std::string Sha256::finish() {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (EVP_DigestFinal_ex(m_context->ctx, digest, &size) != 1)
        throw std::runtime_error("Cannot compute checksums: SHA-256 failed");
    static const char kHex[] = "0123456789abcdef";
    std::string text;
    for (unsigned int i = 0; i < size; ++i) {
        text += kHex[digest[i] >> 4];
        text += kHex[digest[i] & 0xF];
    }
    start(m_context->ctx);
    return text;
}

} // namespace carvel
