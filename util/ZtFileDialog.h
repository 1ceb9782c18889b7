#pragma once
#include <QString>

// The file-dialog class: title and filter in, chosen file and a cancelled flag
// out. The dialog itself is the prompt seam's.
class ZtFileDialog {
public:
    QString DialogTitle;
    QString Filter;
    QString InitDir;
    QString FileName;
    bool Cancelled = false;
    void ShowOpen();
};
