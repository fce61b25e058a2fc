#include "kestrel/security_descriptor.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

TEST(SecurityDescriptorTest, GrantsEveryUserReadAndWriteAccess) {
    const Security::Descriptor descriptor(Security::Descriptor::Everyone);
    ASSERT_NE(descriptor.Get(), nullptr);
    EXPECT_EQ(descriptor.AccessMode(), 0666u);

    // Revision 1 in the first byte of the 20-byte block.
    unsigned char revision = 0;
    std::memcpy(&revision, descriptor.Get(), 1);
    EXPECT_EQ(revision, 1);
}

TEST(SecurityDescriptorTest, FreeReleasesTheBlockAndFallsBackToOwnerAccess) {
    Security::Descriptor descriptor(Security::Descriptor::Everyone);
    descriptor.Free();
    EXPECT_EQ(descriptor.Get(), nullptr);
    EXPECT_EQ(descriptor.AccessMode(), Security::Descriptor::OwnerOnlyMode);
    descriptor.Free(); // a second release is harmless, as is the destructor's
}

} // namespace
