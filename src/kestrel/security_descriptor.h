#pragma once

#include "kestrel/kestrel_export.h"

#include <exception>
#include <string>

namespace Security {

class KESTREL_API TXBase : public std::exception {
public:
    explicit TXBase(std::string message) : Message(std::move(message)) {}
    const char* what() const noexcept override { return Message.c_str(); }

private:
    std::string Message;
};

// A security descriptor that lets every user of the machine read and write the named object
// created with it. On this platform the 20-byte descriptor block carries the access mode that
// the creator applies to the object (shared memory, sockets).
class KESTREL_API Descriptor {
public:
    // Kind of special descriptor; every kind grants the same access.
    enum TSpecial { Everyone = 0 };

    static constexpr unsigned BlockSize = 20;
    // Access of an object created without a descriptor: its owner only.
    static constexpr unsigned OwnerOnlyMode = 0600;

    explicit Descriptor(TSpecial kind);
    ~Descriptor();
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    void Free();

    // The descriptor block, or null where the platform keeps no access control.
    const void* Get() const { return Block; }

    // The permission bits an object created with this descriptor must carry.
    unsigned AccessMode() const;

private:
    unsigned char* Block = nullptr;
};

} // namespace Security
