#pragma once

// Message boxes answered by a test: every box is written down, questions are answered from a
// list (No once it is used up).

#include "app/user_interface.h"

#include <deque>
#include <string>
#include <vector>

class TScriptedUserInterface : public TUserInterface {
public:
    void Inform(QWidget*, const QString& text, const QString& caption, TIcon) override {
        Shown.push_back((caption + ": " + text).toStdString());
    }
    TAnswer Ask(QWidget*, const QString& text) override {
        Shown.push_back(("Warnung: " + text).toStdString());
        if (Answers.empty())
            return TAnswer::No;
        const TAnswer answer = Answers.front();
        Answers.pop_front();
        return answer;
    }

    std::vector<std::string> Shown;
    std::deque<TAnswer> Answers;
};
