#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace carvel {

// SHA-256 from libcrypto, which takes the processor's SHA instructions where it has them.
class Sha256 {
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void update(const char* data, std::size_t size);
    // The digest of everything given since the start, as 64 lower-case hex digits; starts anew.
    std::string finish();

private:
    struct Context;
    std::unique_ptr<Context> m_context;
};

} // namespace carvel
