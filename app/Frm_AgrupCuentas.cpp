#include "app/Frm_AgrupCuentas.h"
#include "app/CargaParametros.h"
#include "app/Sesion.h"
#include "data/DB_Dll.h"
#include "platform/ado/SqlTokenizer.h"
#include "platform/ProcessEnd.h"
#include "util/VbText.h"
#include "util/ZtUtil.h"
#include <QCloseEvent>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>

QIcon iconoPrograma() {
    // A ledger page with a bracket grouping three lines.
    QPixmap pm(64, 64);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0xF4, 0xF1, 0xE6));
    p.setPen(QPen(QColor(0x2B, 0x4C, 0x7E), 3));
    p.drawRoundedRect(8, 4, 48, 56, 5, 5);
    p.setPen(QPen(QColor(0x2B, 0x4C, 0x7E), 3));
    for (int y : {20, 32, 44}) p.drawLine(26, y, 48, y);
    p.setPen(QPen(QColor(0xC0, 0x39, 0x2B), 4));
    p.drawLine(16, 18, 16, 46);
    p.drawLine(16, 18, 21, 18);
    p.drawLine(16, 46, 21, 46);
    return QIcon(pm);
}

Frm_AgrupCuentas::Frm_AgrupCuentas(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Agrupación de Cuentas "));
    setWindowIcon(iconoPrograma());
    auto* central = new QWidget(this);
    auto* lay = new QVBoxLayout(central);
    auto* form = new QFormLayout;
    txtCodigo_ = new QLineEdit(central);
    txtCodigo_->setObjectName(QStringLiteral("txtfields0"));
    txtDescripcion_ = new QLineEdit(central);
    txtDescripcion_->setObjectName(QStringLiteral("txtfields1"));
    form->addRow(QStringLiteral("Agrupación"), txtCodigo_);
    form->addRow(QStringLiteral("Descripción"), txtDescripcion_);
    lay->addLayout(form);
    auto* titulo = new QLabel(QStringLiteral("Cuentas Asociadas"), central);
    titulo->setStyleSheet(QStringLiteral("font-weight: bold; background: #C0C0FF; padding: 2px;"));
    lay->addWidget(titulo);
    LstTodo_ = new QTreeWidget(central);
    LstTodo_->setObjectName(QStringLiteral("LstTodo"));
    LstTodo_->setHeaderLabels({QStringLiteral("Codigo"), QStringLiteral("Descripcion")});
    LstTodo_->setRootIsDecorated(false);
    LstTodo_->setUniformRowHeights(true);
    LstTodo_->header()->resizeSection(0, 120);
    lay->addWidget(LstTodo_, 1);
    setCentralWidget(central);
    resize(520, 440);
    connect(txtCodigo_, &QLineEdit::returnPressed, this, [this] { MostrarAgrupacion(vbtext::Trim(txtCodigo_->text())); });
}

void Frm_AgrupCuentas::Form_Load() {
    TablaPrincipal = QStringLiteral("TA_AGRUPCUENTAS");
    CargaParametros(false, QString(), QString(), 3);
    Utilidades().PrepareWindow(this, false);
    const DB_Dll& db = DB();
    statusBar()->showMessage(QStringLiteral("Srv: %1   Db: %2   Uid: %3   Caja: %4")
                                 .arg(db.gServidor, db.gDBName, db.gUsuario, Session.Caja));
    if (!vbtext::Trim(Session.ParametroAdicional).isEmpty()) {
        txtCodigo_->setText(vbtext::Trim(Session.ParametroAdicional));
        MostrarAgrupacion(vbtext::Trim(Session.ParametroAdicional));
    }
}

void Frm_AgrupCuentas::MostrarAgrupacion(const QString& codigo) {
    LstTodo_->clear();
    txtDescripcion_->clear();
    if (codigo.isEmpty()) return;
    try {
        const QString clave = Utilidades().FormatCode(codigo, 4);
        QString sql = QStringLiteral("SELECT TOP 1 * FROM ") + TablaPrincipal + QStringLiteral(" WHERE IDAGRUPACION = ") +
                      ado::sqlQuote(clave);
        DB().AbrirRecordset(sql, rsAgrupacion, nullptr, 2, 3, -1, true);
        if (rsAgrupacion.State() == ado::ad::StateOpen && !rsAgrupacion.Eof())
            txtDescripcion_->setText(Utilidades().NullToText(rsAgrupacion[QStringLiteral("Descripcion")]));
        ado::Recordset det;
        QString sqlDet = QStringLiteral("SELECT D.Cuenta, C.DESCRIPCION FROM TA_AGRUPCUENTAS_DETALLE D LEFT JOIN MA_CUENTAS C "
                                        "ON C.Codigo = D.Cuenta WHERE D.IDAGRUPACION = ") + ado::sqlQuote(clave) + QStringLiteral(" ORDER BY D.Cuenta");
        DB().AbrirRecordset(sqlDet, det);
        for (; !det.Eof(); det.MoveNext()) {
            auto* it = new QTreeWidgetItem(LstTodo_, {det[QStringLiteral("Cuenta")].toText(), det[QStringLiteral("DESCRIPCION")].toText()});
            it->setCheckState(0, Qt::Checked);
        }
    } catch (const VbError& e) {
        Utilidades().ReportError(e, vb::OKOnly | vb::Critical, QStringLiteral("AsignarDatos"));
    }
}

void Frm_AgrupCuentas::closeEvent(QCloseEvent* e) {
    e->accept();
    TerminarProceso(0);
}
