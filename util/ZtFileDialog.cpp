#include "util/ZtFileDialog.h"
#include "platform/Prompt.h"

void ZtFileDialog::ShowOpen() {
    const auto chosen = prompts().openFile(DialogTitle, Filter, InitDir);
    Cancelled = !chosen.has_value();
    if (chosen) FileName = *chosen;
}
