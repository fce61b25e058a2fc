#include "app/running_info.h"

#include "kestrel/security_descriptor.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

TRunningInfoBase::TRunningInfoBase(const std::string& name, std::size_t size)
    : SharedName("/" + name), Size(size) {
    const Security::Descriptor everyone(Security::Descriptor::Everyone);
    Handle = ::shm_open(SharedName.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, everyone.AccessMode());
    if (Handle < 0)
        return;
    ::fchmod(Handle, everyone.AccessMode());
    // The owner holds the lock for as long as it lives, and the system releases it even when
    // the owner is killed.
    OwnsBlock = ::flock(Handle, LOCK_EX | LOCK_NB) == 0;
    if (OwnsBlock && ::ftruncate(Handle, static_cast<off_t>(Size)) != 0)
        return;
    // Another owner may not have sized its block yet.
    struct stat block {};
    if (::fstat(Handle, &block) != 0 || block.st_size < static_cast<off_t>(Size))
        return;
    void* view = ::mmap(nullptr, Size, PROT_READ | PROT_WRITE, MAP_SHARED, Handle, 0);
    Mapped = view == MAP_FAILED ? nullptr : view;
}

TRunningInfoBase::~TRunningInfoBase() {
    if (Mapped)
        ::munmap(Mapped, Size);
    if (Handle < 0)
        return;
    if (OwnsBlock)
        ::shm_unlink(SharedName.c_str());
    ::close(Handle);
}
