#include "render/qt_text.h"

#include "model/windows1252.h"

QString ToQString(std::string_view windows1252) {
    return QString::fromStdString(Windows1252::ToUtf8(windows1252));
}

std::optional<std::string> ToWindows1252(const QString& text) {
    return Windows1252::FromUtf8(text.toStdString());
}
