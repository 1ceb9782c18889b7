#pragma once
#include "platform/ado/Recordset.h"
#include <QMainWindow>
#include <array>
#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;
class ListaCuentas;
class QStatusBar;
class SkinFramework;
class UtilBox;

// The account grouping window, the program's start-up object: its load runs
// the whole start-up, then it shows the grouping named on the command line.
// The clerk types or looks up a code, ticks and unticks the accounts of the
// grouping, adds postable accounts from a lookup, and saves or deletes it.
class Frm_AgrupCuentas : public QMainWindow {
    Q_OBJECT
public:
    explicit Frm_AgrupCuentas(QWidget* parent = nullptr);
    ~Frm_AgrupCuentas() override;

    void Form_Load();
    bool ParamCargados() const { return true; }
    static void SeleccionaTodoList(ListaCuentas* lst, bool Seleccionar);

    // Handlers, public so that the suite's tests and the toolbar reach them.
    void UtilBox1_ButtonClick(const QString& comando);
    void cmdAsociar_Click();
    void ValidaCampo(int index);
    bool ValidaCampos();
    void ConsultaCampo();
    void GrabarAgrupacion();
    void Borrar();
    void HabilitaBotones(bool estado);

    QLineEdit* txtfields(int i) const { return txtfields_[size_t(i)]; }
    QTreeView* LstTodo() const { return LstTodo_; }
    ListaCuentas* Cuentas() const { return cuentas_; }
    UtilBox* UtilBox1() const { return UtilBox1_; }
    QStatusBar* sbStatusBar() const;
    QPushButton* cmdAsociar() const { return cmdAsociar_; }
    int CampoActual() const { return CampoActual_; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void Generar();
    void AsignarDatos();
    void colocar();
    int indiceCampo(const char* campo) const;
    void grabarUnaVez(const QString& codigo);
    void insertarCuentas(const QString& codigo, const QStringList& cuentas);
    bool borrarUnaVez(const QString& codigo);
    void recordarLeido(const QString& codigo);

    QString TablaPrincipal;
    ado::Recordset rsAgrupacion;
    int CampoActual_ = 0;
    bool Validando = false;

    // What the clerk saw of the grouping when it was loaded, to tell whether
    // another workstation changed it before this one saves.
    struct Leido {
        QString codigo;
        std::optional<QString> descripcion;   // nothing when it did not exist
        // The accounts, each once: these, or (filasDeLista >= 0) the first
        // rows of the list, which after a load only ever grows at its end.
        QStringList cuentas;
        int filasDeLista = -1;
    };
    std::optional<Leido> leido_;

    UtilBox* UtilBox1_;
    SkinFramework* SkinFramework1_;
    QGroupBox* frm_;
    QLabel* Label1_;
    QLabel* Label2_;
    std::array<QLineEdit*, 2> txtfields_;
    QPushButton* cmdAsociar_;
    QTreeView* LstTodo_;
    ListaCuentas* cuentas_;
    QPushButton* CmdSeleccionarTodo_;
    QPushButton* CmdDeSeleccionarTodo_;
};
