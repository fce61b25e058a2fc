#include "convert/default_converter_log.h"

#include "model/windows1252.h"

using namespace Windows1252::Literals;

DefaultConverterLog::DefaultConverterLog(std::unique_ptr<ConverterLogWindow> window,
                                         std::string runName)
    : RunName(std::move(runName)), Window(std::move(window)) {
    Window->AppendLine(RunName + " gestartet.");
}

void DefaultConverterLog::Message(std::string_view text) {
    Window->AppendLine(text);
}

void DefaultConverterLog::Accepted() {
    ++AcceptedUnchanged;
}

void DefaultConverterLog::Warning(std::string_view text) {
    ++AcceptedAfterChanges;
    Window->AppendLine(std::string("Warnung: ").append(text));
}

void DefaultConverterLog::Error(std::string_view text) {
    ++NotAccepted;
    Window->AppendLine(std::string("Fehler: ").append(text));
}

bool DefaultConverterLog::AnyAccepted() const {
    return AcceptedUnchanged + AcceptedAfterChanges > 0;
}

void DefaultConverterLog::Finish() {
    Window->AppendLine(RunName + " beendet.");
    Window->AppendLine("Zusammenfassung:");
    Window->AppendLine(std::to_string(AcceptedUnchanged + AcceptedAfterChanges + NotAccepted) +
                       " Einträge insgesamt verarbeitet, davon:"_cp1252);
    Window->AppendLine("  " + std::to_string(AcceptedUnchanged) + " akzeptiert");
    Window->AppendLine("  " + std::to_string(AcceptedAfterChanges) +
                       " nach Änderungen akzeptiert"_cp1252);
    Window->AppendLine("  " + std::to_string(NotAccepted) + " nicht akzeptiert");
    Window->WaitForClose();
}
