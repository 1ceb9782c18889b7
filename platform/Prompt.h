#pragma once
#include <QString>
#include <QStringList>
#include <optional>

// Every modal prompt of the program goes through this seam: message boxes with
// VB's button/icon codes and answer codes, input boxes and the file chooser.
// The window layer installs the Qt implementation; tests install a scripted one.
namespace vb {
// Buttons
constexpr int OKOnly = 0, OKCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4, RetryCancel = 5;
// Icons
constexpr int Critical = 16, Question = 32, Exclamation = 48, Information = 64;
// Answers
constexpr int OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7;
}

class PromptHandler {
public:
    virtual ~PromptHandler() = default;
    virtual int message(const QString& text, int buttons, const QString& title) = 0;
    // nullopt when the user cancels.
    virtual std::optional<QString> input(const QString& prompt, const QString& title,
                                         const QString& defaultText) = 0;
    virtual std::optional<QString> openFile(const QString& title, const QString& filter,
                                            const QString& folder) = 0;
};

// The handler in force; a handler that answers every prompt with its default
// (OK, Cancel, No) is used until one is installed, so that nothing below the
// window layer can block on a dialog.
PromptHandler& prompts();
// Installs a handler (not owned); nullptr restores the default one.
void setPromptHandler(PromptHandler* handler);

// The application's title, used where a message box has no title of its own.
QString appTitle();

int MsgBox(const QString& text, int buttons = vb::OKOnly, const QString& title = {});
// VB InputBox: "" when cancelled.
QString InputBox(const QString& prompt, const QString& title = {}, const QString& defaultText = {});

// The answer a message box gives when nobody can answer it: the "safe" button.
int defaultAnswer(int buttons);
