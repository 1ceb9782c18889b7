#pragma once
#include "platform/Prompt.h"

// The prompt seam answered by real Qt dialogs.
class QtPrompt final : public PromptHandler {
public:
    int message(const QString& text, int buttons, const QString& title) override;
    std::optional<QString> input(const QString& prompt, const QString& title, const QString& defaultText) override;
    std::optional<QString> openFile(const QString& title, const QString& filter, const QString& folder) override;
};
