#include "tool/tool_converter_ui.h"

#include "tool/tool_support.h"

namespace {

class TErrorOutputLog : public ConverterLogWindow {
public:
    explicit TErrorOutputLog(bool& problem) : Problem(problem) {}

    // The log writes every record it did not take as a line of its own beginning "Fehler: ".
    void AppendLine(std::string_view line) override {
        Problem = Problem || line.starts_with("Fehler: ");
        Tool::PrintErrorLine(line);
    }
    void WaitForClose() override {}

private:
    bool& Problem;
};

} // namespace

void TToolConverterUi::ShowError(std::string_view text) {
    Problem = true;
    Tool::PrintErrorLine(text);
}

int TToolConverterUi::PickFromList(const std::vector<std::string>& entries) {
    return Pick < static_cast<int>(entries.size()) ? Pick : -1;
}

std::optional<std::string> TToolConverterUi::AskSaveFileName(const TFileDialog&) {
    return FileName;
}

std::optional<std::string> TToolConverterUi::AskOpenFileName(const TFileDialog&) {
    return FileName;
}

std::unique_ptr<ConverterLogWindow> TToolConverterUi::OpenLogWindow() {
    return std::make_unique<TErrorOutputLog>(Problem);
}
