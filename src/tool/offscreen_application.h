#pragma once

#include <QGuiApplication>

namespace Tool {

// Qt's pictures need an application, which draws without any display here. Its notes about the
// desktop environment are no concern of the tool's users.
class TOffscreenApplication {
public:
    TOffscreenApplication();

private:
    int Argc = 1;
    char Name[14] = "pelvanor-tool";
    char* Argv[2] = {Name, nullptr};
    QGuiApplication Application;
};

} // namespace Tool
