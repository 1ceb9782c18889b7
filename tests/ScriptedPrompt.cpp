#include "ScriptedPrompt.h"

ScriptedPrompt::ScriptedPrompt() { setPromptHandler(this); }
ScriptedPrompt::~ScriptedPrompt() { setPromptHandler(nullptr); }

int ScriptedPrompt::message(const QString& text, int buttons, const QString& title) {
    records.push_back({Record::Kind::Message, text, title, buttons});
    if (onMessage) onMessage(records.back());
    if (answers.empty()) {
        ++unexpected;
        return defaultAnswer(buttons);
    }
    const int a = answers.front().code;
    answers.pop_front();
    return a;
}

std::optional<QString> ScriptedPrompt::input(const QString& prompt, const QString& title, const QString&) {
    records.push_back({Record::Kind::Input, prompt, title, 0});
    if (answers.empty()) {
        ++unexpected;
        return std::nullopt;
    }
    auto a = answers.front().text;
    answers.pop_front();
    return a;
}

std::optional<QString> ScriptedPrompt::openFile(const QString& title, const QString& filter, const QString&) {
    records.push_back({Record::Kind::OpenFile, filter, title, 0});
    if (answers.empty()) {
        ++unexpected;
        return std::nullopt;
    }
    auto a = answers.front().text;
    answers.pop_front();
    return a;
}
