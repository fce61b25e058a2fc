#pragma once

#include <cstdint>
#include <string>

// A named block of shared memory that marks a running program. The first process to hold the
// block's lock owns it ("created"); a block left behind by a process that ended without
// cleaning up holds no lock and is taken over. The block is readable and writable by every user.
class TRunningInfoBase {
public:
    TRunningInfoBase(const std::string& name, std::size_t size);
    ~TRunningInfoBase();
    TRunningInfoBase(const TRunningInfoBase&) = delete;
    TRunningInfoBase& operator=(const TRunningInfoBase&) = delete;

    // False when another live process owns the block.
    bool Created() const { return OwnsBlock; }

protected:
    void* View() const { return Mapped; }

private:
    std::string SharedName;
    std::size_t Size;
    int Handle = -1;
    bool OwnsBlock = false;
    void* Mapped = nullptr;
};

template <typename T>
class TRunningInfo : public TRunningInfoBase {
public:
    explicit TRunningInfo(const std::string& name) : TRunningInfoBase(name, sizeof(T)) {}

    // The block, or null when it could not be made.
    T* View() const { return static_cast<T*>(TRunningInfoBase::View()); }
};

namespace Pelvanor {
// The block of the running program: its main window, 0 until the window is set up.
struct TRunningData {
    std::uint32_t FrameHandle;
};
} // namespace Pelvanor

namespace TvxSetup {
// The block of the installer; only its existence matters.
struct TRunningData {
    std::uint8_t Reserved[8];
};
constexpr const char* MarkerName = "Pelvanor Installationsprogramm";
} // namespace TvxSetup
