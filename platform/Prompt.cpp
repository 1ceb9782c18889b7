#include "platform/Prompt.h"

namespace {
class DefaultPrompt final : public PromptHandler {
public:
    int message(const QString&, int buttons, const QString&) override { return defaultAnswer(buttons); }
    std::optional<QString> input(const QString&, const QString&, const QString&) override { return std::nullopt; }
    std::optional<QString> openFile(const QString&, const QString&, const QString&) override { return std::nullopt; }
};
DefaultPrompt gDefault;
PromptHandler* gHandler = &gDefault;
}

PromptHandler& prompts() { return *gHandler; }
void setPromptHandler(PromptHandler* handler) { gHandler = handler ? handler : &gDefault; }

QString appTitle() { return QStringLiteral("AgrupCuentas"); }

int defaultAnswer(int buttons) {
    switch (buttons & 7) {
    case vb::OKCancel: return vb::Cancel;
    case vb::AbortRetryIgnore: return vb::Abort;
    case vb::YesNoCancel: return vb::Cancel;
    case vb::YesNo: return vb::No;
    case vb::RetryCancel: return vb::Cancel;
    default: return vb::OK;
    }
}

int MsgBox(const QString& text, int buttons, const QString& title) {
    return prompts().message(text, buttons, title.isEmpty() ? appTitle() : title);
}

QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) {
    return prompts().input(prompt, title.isEmpty() ? appTitle() : title, defaultText).value_or(QString());
}
