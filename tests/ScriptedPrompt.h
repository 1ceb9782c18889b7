#pragma once
#include "platform/Prompt.h"
#include <QString>
#include <deque>
#include <functional>
#include <vector>

// Answers prompts from a queue and records each one. A prompt with no answer
// queued gets the safe default and is counted as unexpected.
class ScriptedPrompt final : public PromptHandler {
public:
    struct Record {
        enum class Kind { Message, Input, OpenFile } kind;
        QString text, title;
        int buttons = 0;
    };
    struct Answer {
        int code = 0;                  // for message boxes
        std::optional<QString> text;   // for input boxes and the file chooser
    };

    ScriptedPrompt();
    ~ScriptedPrompt() override;

    void answer(int code) { answers.push_back({code, std::nullopt}); }
    void answerText(std::optional<QString> t) { answers.push_back({0, std::move(t)}); }

    int message(const QString& text, int buttons, const QString& title) override;
    std::optional<QString> input(const QString& prompt, const QString& title, const QString& def) override;
    std::optional<QString> openFile(const QString& title, const QString& filter, const QString& folder) override;

    // Runs before each message box is answered (a test can change the world there).
    std::function<void(const Record&)> onMessage;
    std::deque<Answer> answers;
    std::vector<Record> records;
    int unexpected = 0;
};
