// The help beside the program has a section for every topic that a menu item leads to.

#include "app/commands.h"
#include "diagram/diag_commands.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <set>

namespace {

TEST(HelpTopicsTest, EveryTopicOfBothMenusHasItsOwnSection) {
    const std::string help = TTempDir::Read(PELVANOR_PROGRAM_DIR "/pelvanor.hlp");
    ASSERT_FALSE(help.empty());
    std::set<int> topics;
    for (const TCommand& command : CommandTable())
        if (command.HelpTopic != 0)
            topics.insert(command.HelpTopic);
    for (const TDiagCommand& command : DiagCommandTable())
        topics.insert(command.HelpTopic);
    EXPECT_EQ(topics.size(), 28u);
    for (const int topic : topics) {
        const std::string anchor = "<h2 id=\"" + std::to_string(topic) + "\">";
        const auto first = help.find(anchor);
        EXPECT_NE(first, std::string::npos) << topic;
        EXPECT_EQ(help.find(anchor, first + 1), std::string::npos) << topic;
    }
}

} // namespace
