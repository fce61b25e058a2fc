#include "kestrel/security_descriptor.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <sys/utsname.h>

namespace Security {
namespace {

// Layout of the descriptor block: revision, control flags and the access granted to everybody.
struct TDescriptorBlock {
    std::uint8_t Revision;
    std::uint8_t Reserved;
    std::uint16_t Control;
    std::uint32_t EveryoneMode;
    std::uint32_t Owner;
    std::uint32_t Group;
    std::uint32_t Padding;
};
static_assert(sizeof(TDescriptorBlock) == Descriptor::BlockSize);

constexpr std::uint8_t DescriptorRevision = 1;
constexpr std::uint16_t AccessListPresent = 0x0004;
// What an absent (null) access list grants: reading and writing for every user.
constexpr std::uint32_t ReadWriteForEveryone = 0666;

// The platform families the library tells apart; descriptors exist only where access is checked.
enum TPlatformId { PlatformWithoutAccessControl = 0, PlatformWithAccessControl = 2 };

// Filled once when the library is loaded, from the platform's version query.
const TPlatformId LoadedPlatform = [] {
    utsname system{};
    return uname(&system) == 0 ? PlatformWithAccessControl : PlatformWithoutAccessControl;
}();

// Text 6610 of the library's string table; texts are read with at most 255 characters.
constexpr char CreationFailedText[] = "Erstellen des Sicherheits-Deskriptors fehlgeschlagen!";
static_assert(sizeof(CreationFailedText) <= 256);

} // namespace

Descriptor::Descriptor(TSpecial) {
    if (LoadedPlatform != PlatformWithAccessControl)
        return;
    Block = new (std::nothrow) unsigned char[BlockSize];
    if (!Block)
        throw TXBase(std::string("[security/desc]") + CreationFailedText);

    const TDescriptorBlock descriptor{
        DescriptorRevision, 0, AccessListPresent, ReadWriteForEveryone, 0, 0, 0};
    std::memcpy(Block, &descriptor, BlockSize);
}

Descriptor::~Descriptor() {
    Free();
}

void Descriptor::Free() {
    delete[] Block;
    Block = nullptr;
}

unsigned Descriptor::AccessMode() const {
    if (!Block)
        return OwnerOnlyMode;
    TDescriptorBlock descriptor;
    std::memcpy(&descriptor, Block, BlockSize);
    return descriptor.EveryoneMode;
}

} // namespace Security
