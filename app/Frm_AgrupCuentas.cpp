#include "app/Frm_AgrupCuentas.h"
#include "app/ListaCuentas.h"
#include "app/Apariencia.h"
#include "app/CargaParametros.h"
#include "app/Sesion.h"
#include "app/SkinFramework.h"
#include "app/UtilBox.h"
#include "data/DB_Dll.h"
#include "lookup/Lib_ClsCons3.h"
#include "platform/ProcessEnd.h"
#include "platform/ado/TransactionGuard.h"
#include "util/ConjuntoTextos.h"
#include "util/ErrorTrap.h"
#include "util/VbText.h"
#include "util/ZtControlArray.h"
#include "util/ZtUtil.h"
#include <QApplication>
#include <QHash>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTreeView>

namespace {

// Writing again the text a field already shows, untouched since it was
// written, changes nothing on screen (cursor, selection, undo) but lays the
// text out once more: the description is written by the check of the code
// and again with the grouping's fields.
void ponerTexto(QLineEdit* t, const QString& texto) {
    if (t->text() == texto && !t->isModified() && !t->hasSelectedText() && t->cursorPosition() == texto.size()) return;
    t->setText(texto);
}

const char* const kCampos[2] = {"IDAGRUPACION", "DESCRIPCION"};
const char* const kTags[2] = {"TA_AGRUPCUENTAS", ""};

// A field's DataField (also set as the property of that name, which is
// never changed): asked for on every Enter, where the property's lookup by
// name went through every property of a line edit.
const QString& campoDe(size_t i) {
    static const QString campos[2] = {QString::fromLatin1(kCampos[0]), QString::fromLatin1(kCampos[1])};
    return campos[i];
}

int px(int twips) {
    const double dpi = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->logicalDotsPerInch() : 96.0;
    return int(twips / 15.0 * dpi / 96.0 + 0.5);
}

// Another workstation changed the grouping since this one read it.
struct ConflictoEdicion {};

QString q(const QString& s) { return entreComillas(s); }

void abrir(QString sql, ado::Recordset& rs, int cursor, int bloqueo) {
    DB_Dll& db = DB();
    if (rs.State() != ado::ad::StateClosed) rs.Close();
    rs.Open(db.SS_TSinonimos(sql), &db.gCnn, cursor, bloqueo);
}

// The descriptions of the chosen accounts, read a few hundred at a time
// (through the same synonym rewriting as each single read), keyed by the
// code as the engine compares it: trimmed and without regard to case.
QHash<QString, QString> descripciones(const QStringList& cuentas) {
    QHash<QString, QString> out;
    constexpr int kPorSentencia = 500;
    for (int desde = 0; desde < cuentas.size(); desde += kPorSentencia) {
        QString sql = QStringLiteral("SELECT Codigo, DESCRIPCION FROM MA_CUENTAS WHERE Codigo IN (");
        const int hasta = std::min<int>(int(cuentas.size()), desde + kPorSentencia);
        for (int i = desde; i < hasta; ++i) sql += (i > desde ? QStringLiteral(",'") : QStringLiteral("'")) + q(cuentas[i]) + u'\'';
        sql += u')';
        ado::Recordset rs;
        abrir(sql, rs, 0, 1);
        for (; !rs.Eof(); rs.MoveNext())
            out.insert(rs.Fields(0).Value().toText().trimmed().toUpper(), Utilidades().NullToText(rs.Fields(1).Value()));
    }
    return out;
}

// The detail rows read now hold exactly the n accounts read before (each
// once, cuenta(i) the i-th), in whatever order.
template <typename F>
bool mismasCuentas(ado::Recordset& rs, int n, F cuenta) {
    ConjuntoTextos ahora{size_t(n)};
    for (; !rs.Eof(); rs.MoveNext()) ahora.agregar(rs.Celda(0).toText());
    if (ahora.size() != n) return false;
    for (int i = 0; i < n; ++i)
        if (!ahora.contiene(cuenta(i))) return false;
    return true;
}

} // namespace

Frm_AgrupCuentas::Frm_AgrupCuentas(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Agrupación de Cuentas "));
    setObjectName(QStringLiteral("Frm_AgrupCuentas"));
    UtilBox1_ = new UtilBox(this);
    addToolBar(Qt::TopToolBarArea, UtilBox1_);
    SkinFramework1_ = new SkinFramework(this);

    auto* central = new QWidget(this);
    setCentralWidget(central);
    frm_ = new QGroupBox(central);
    frm_->setObjectName(QStringLiteral("frm"));
    Label1_ = new QLabel(QStringLiteral("Agrupación"), frm_);
    for (int i = 0; i < 2; ++i) {
        auto* t = new QLineEdit(frm_);
        t->setObjectName(QStringLiteral("txtfields%1").arg(i));
        t->setProperty("DataField", QString::fromLatin1(kCampos[i]));
        t->setProperty("Tag", QString::fromLatin1(kTags[i]));
        t->setContextMenuPolicy(Qt::PreventContextMenu);
        t->installEventFilter(this);
        connect(t, &QLineEdit::returnPressed, this, [this, i] {
            ValidaCampo(i);
            focusNextChild();
        });
        txtfields_[size_t(i)] = t;
    }
    // The columns' sizes: a longer text could not be stored.
    txtfields_[0]->setMaxLength(4);
    txtfields_[1]->setMaxLength(50);
    txtfields_[0]->setToolTip(QStringLiteral("Código de la agrupación: Enter la muestra, F3 o clic derecho la busca"));
    Label1_->setBuddy(txtfields_[0]);
    cmdAsociar_ = new QPushButton(QStringLiteral("&Asociar  Cuentas"), frm_);
    cmdAsociar_->setObjectName(QStringLiteral("cmdAsociar"));
    connect(cmdAsociar_, &QPushButton::clicked, this, &Frm_AgrupCuentas::cmdAsociar_Click);

    Label2_ = new QLabel(QStringLiteral("Cuentas Asociadas"), central);
    Label2_->setObjectName(QStringLiteral("Label2"));
    Label2_->setStyleSheet(QStringLiteral("font-weight: bold; background-color: #C0C0FF; padding-left: 4px;"));
    cuentas_ = new ListaCuentas(this);
    LstTodo_ = new QTreeView(central);
    LstTodo_->setObjectName(QStringLiteral("LstTodo"));
    LstTodo_->setModel(cuentas_);
    LstTodo_->setRootIsDecorated(false);
    LstTodo_->setUniformRowHeights(true);   // keeps a list of thousands of accounts quick
    LstTodo_->setSortingEnabled(false);
    LstTodo_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LstTodo_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    LstTodo_->setAlternatingRowColors(true);
    LstTodo_->header()->resizeSection(0, px(1800));
    LstTodo_->header()->setStretchLastSection(true);
    CmdSeleccionarTodo_ = new QPushButton(QStringLiteral("Seleccionar &todo"), central);
    CmdSeleccionarTodo_->setObjectName(QStringLiteral("CmdSeleccionarTodo"));
    CmdDeSeleccionarTodo_ = new QPushButton(QStringLiteral("&Deseleccionar Todo"), central);
    CmdDeSeleccionarTodo_->setObjectName(QStringLiteral("CmdDeSeleccionarTodo"));
    connect(CmdSeleccionarTodo_, &QPushButton::clicked, this, [this] { SeleccionaTodoList(cuentas_, true); });
    connect(CmdDeSeleccionarTodo_, &QPushButton::clicked, this, [this] { SeleccionaTodoList(cuentas_, false); });

    auto* sb = new QStatusBar(this);
    sb->setObjectName(QStringLiteral("sbStatusBar"));
    setStatusBar(sb);
    CrearPanelesEstado(sb);
    connect(UtilBox1_, &UtilBox::ButtonClick, this, &Frm_AgrupCuentas::UtilBox1_ButtonClick);

    // Every key pressed in the window reaches the command bar first.
    qApp->installEventFilter(this);
    setTabOrder(txtfields_[0], txtfields_[1]);
    setTabOrder(txtfields_[1], cmdAsociar_);
    setTabOrder(cmdAsociar_, LstTodo_);
    setTabOrder(LstTodo_, CmdSeleccionarTodo_);
    setTabOrder(CmdSeleccionarTodo_, CmdDeSeleccionarTodo_);
    resize(std::max(px(7695), sb->sizeHint().width()), px(6600));
}

Frm_AgrupCuentas::~Frm_AgrupCuentas() { qApp->removeEventFilter(this); }

QStatusBar* Frm_AgrupCuentas::sbStatusBar() const { return statusBar(); }

void Frm_AgrupCuentas::colocar() {
    QWidget* c = centralWidget();
    const int w = c->width();
    const int m = px(120);
    const int alto = [](QWidget* x, int twips) { return std::max(px(twips), x->sizeHint().height()); }(txtfields_[0], 285);
    // The frame and the description grow with the window; the list takes
    // whatever height is left.
    const int fw = std::max(px(7455), w - 2 * m);
    Label1_->setGeometry(px(120), px(240), px(1095), alto);
    txtfields_[0]->setGeometry(px(1080) + px(120), px(240), px(735), alto);
    const int descX = px(1920) + px(120);
    txtfields_[1]->setGeometry(descX, px(240), fw - descX - px(240), alto);
    const int botonAlto = std::max(px(375), cmdAsociar_->sizeHint().height());
    const int botonY = px(240) + alto + px(80);
    cmdAsociar_->setGeometry(fw - px(240) - px(2655), botonY, px(2655), botonAlto);
    frm_->setGeometry(m, m, fw, std::max(px(975), botonY + botonAlto + px(100)));
    const int y2 = frm_->geometry().bottom() + px(100);
    const int labelAlto = std::max(px(255), Label2_->sizeHint().height());
    Label2_->setGeometry(m, y2, fw, labelAlto);
    const int abajoAlto = std::max(px(255), CmdSeleccionarTodo_->sizeHint().height());
    const int listaY = y2 + labelAlto + px(100);
    const int listaAlto = std::max(px(1200), c->height() - listaY - abajoAlto - 2 * m);
    LstTodo_->setGeometry(m, listaY, fw, listaAlto);
    const int yb = listaY + listaAlto + px(100);
    CmdSeleccionarTodo_->setGeometry(m, yb, std::max(px(1815), CmdSeleccionarTodo_->sizeHint().width()), abajoAlto);
    CmdDeSeleccionarTodo_->setGeometry(CmdSeleccionarTodo_->geometry().right() + px(105), yb,
                                       std::max(px(1935), CmdDeSeleccionarTodo_->sizeHint().width()), abajoAlto);
}

void Frm_AgrupCuentas::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    colocar();
}

void Frm_AgrupCuentas::Form_Load() {
    TablaPrincipal = QStringLiteral("TA_AGRUPCUENTAS");
    CargaParametros(false, QString(), QString(), 3);
    EstiloVentana(this);
    Utilidades().PrepareWindow(this, false);
    AplicaSkin(this);
    const QString codigo = vbtext::Trim(Session.ParametroAdicional);
    if (!codigo.isEmpty()) {
        txtfields_[0]->setText(codigo);
        QString sql = QStringLiteral("SELECT TOP 1 * FROM ") + TablaPrincipal + QStringLiteral(" WHERE IDAGRUPACION = '") +
                      q(Utilidades().FormatCode(codigo, 4)) + u'\'';
        DB().AbrirRecordset(sql, rsAgrupacion, nullptr, 2, 3, -1, true);
        ValidaCampo(0);
    } else {
        Generar();
    }
    ArmaBarraEstado(statusBar(), QString());
    HabilitaBotones(false);
    colocar();
    txtfields_[0]->setFocus();
}

void Frm_AgrupCuentas::Generar() {
    const TrapReport report = [](const VbError& e) { return Utilidades().ReportError(e, vb::AbortRetryIgnore | vb::Critical, QStringLiteral("Generar")); };
    runTrapped(report, {[&] {
        QString sql = QStringLiteral("SELECT top 1 * FROM ") + TablaPrincipal;
        DB().AbrirRecordset(sql, rsAgrupacion, &DB().gCnn, 2, 3, -1, true);
    }});
}

int Frm_AgrupCuentas::indiceCampo(const char* campo) const {
    QStringList campos;
    for (size_t i = 0; i < txtfields_.size(); ++i) campos << campoDe(i);
    return Controles().FindFieldControl(QString::fromLatin1(campo), campos);
}

void Frm_AgrupCuentas::recordarLeido(const QString& codigo) {
    Leido l;
    l.codigo = codigo;
    if (rsAgrupacion.State() == ado::ad::StateOpen && !rsAgrupacion.Eof())
        l.descripcion = Utilidades().NullToText(rsAgrupacion[QStringLiteral("Descripcion")]);
    l.filasDeLista = cuentas_->count();   // copying tens of thousands of codes would cost more than the rest of the load
    leido_ = l;
}

void Frm_AgrupCuentas::ValidaCampo(int index) {
    const QString valor = vbtext::Trim(txtfields_[size_t(index)]->text());
    const QString& nombre = campoDe(size_t(index));
    if (!vbtext::Equals(nombre, QStringLiteral("IDAGRUPACION"))) return;
    if (valor.isEmpty()) {
        txtfields_[1]->setText(QString());
        return;
    }
    const bool existe = DB().ExisteEnTabla(TablaPrincipal, valor, QStringLiteral("IDAGRUPACION"), &rsAgrupacion, QStringLiteral("8"),
                                           QString(), true);
    if (Validando) return;
    txtfields_[1]->setText(existe ? Utilidades().NullToText(rsAgrupacion[QStringLiteral("Descripcion")]) : QString());
    AsignarDatos();
    recordarLeido(Utilidades().FormatCode(valor, 4));
}

bool Frm_AgrupCuentas::ValidaCampos() {
    Validando = true;
    for (int i = 0; i < int(txtfields_.size()); ++i) ValidaCampo(i);
    Validando = false;
    return true;
}

void Frm_AgrupCuentas::AsignarDatos() {
    ado::Recordset det;
    const TrapReport report = [](const VbError& e) {
        return Utilidades().ReportError(e, vb::AbortRetryIgnore | vb::Critical, QStringLiteral("AsignarDatos"));
    };
    runTrapped(report, {
        [&] {
            cuentas_->vaciar();
        },
        [&] {
            if (rsAgrupacion.State() != ado::ad::StateOpen || rsAgrupacion.Bof() || rsAgrupacion.Eof()) return;
            for (size_t i = 0; i < txtfields_.size(); ++i)
                ponerTexto(txtfields_[i], Utilidades().NullToText(rsAgrupacion[campoDe(i)]));
        },
        [&] {
            // One statement brings the accounts with their descriptions; an
            // account the join does not describe is looked up on its own, as
            // the one-by-one reading did.
            QString sql = QStringLiteral("SELECT D.Cuenta, C.DESCRIPCION FROM TA_AGRUPCUENTAS_DETALLE D LEFT JOIN MA_CUENTAS C "
                                         "ON C.Codigo = D.Cuenta WHERE D.IDAGRUPACION = '") +
                          q(Utilidades().FormatCode(txtfields_[0]->text(), 4)) + u'\'';
            DB().AbrirRecordset(sql, det, nullptr, 0, 1, -1, true);
        },
        [&] {
            if (det.State() != ado::ad::StateOpen) return;
            std::vector<ListaCuentas::Cuenta> nuevas;
            // Every row is read already; RecordCount is -1 on this forward-only cursor.
            nuevas.reserve(det.Datos()->rows.size());
            // By position: the statement above names its two columns.
            for (; !det.Eof(); det.MoveNext()) {
                QString cuenta = det.Celda(0).toText();   // toText: NullToText
                const ado::Variant& d = det.Celda(1);
                const QString descripcion =
                    d.isNull() ? DB().DatosTabla(QStringLiteral("MA_CUENTAS"), cuenta, QStringLiteral("DESCRIPCION"), QStringLiteral("Codigo"),
                                                 QStringLiteral("8"), QString(), true, false).toText()
                               : vbtext::Trim(d.toText());
                nuevas.push_back({std::move(cuenta), descripcion, true});
            }
            cuentas_->cargar(std::move(nuevas));
        },
    });
}

void Frm_AgrupCuentas::ConsultaCampo() {
    QLineEdit* t = txtfields_[size_t(CampoActual_)];
    if (!vbtext::Equals(vbtext::Trim(t->property("Tag").toString()), QStringLiteral("TA_AGRUPCUENTAS"))) return;
    Lib_ClsCons3& c = ClsCons();
    c.CampoDevuelto = QStringLiteral("IDAGRUPACION");
    QString vacio, donde, campo;
    c.ConsultaSearch(QStringLiteral("SELECT DESCRIPCION , IDAGRUPACION FROM TA_AGRUPCUENTAS ORDER BY IDAGRUPACION"), nullptr, vacio,
                     campo, donde, vacio, false, vacio);
    const QString elegido = vbtext::Trim(c.ValorDevuelto.toText());
    if (elegido.isEmpty()) return;
    t->setText(elegido);
    ValidaCampo(CampoActual_);
    focusNextChild();
}

void Frm_AgrupCuentas::cmdAsociar_Click() {
    Lib_ClsCons3& c = ClsCons();
    QStringList valores;
    const TrapReport report = [](const VbError& e) {
        return Utilidades().ReportError(e, vb::AbortRetryIgnore | vb::Critical, QStringLiteral("CmdAsociar"));
    };
    runTrapped(report, {
        [&] {
            c.Checks = true;
            c.CampoDevuelto = QStringLiteral("CODIGO");
            QString vacio, donde, campo;
            c.ConsultaSearch(QStringLiteral("SELECT CODIGO,DESCRIPCION FROM MA_CUENTAS WHERE (TITULO=0)  ORDER BY CODIGO"), nullptr, vacio,
                             campo, donde, vacio, false, vacio);
            c.CampoDevuelto = QStringLiteral("IDARTICULO");
            if (c.Valores) valores = *c.Valores;
        },
        [&] {
            QStringList nuevas;
            for (const QString& v : valores)
                if (!cuentas_->contiene(v)) nuevas << v;
            const QHash<QString, QString> desc = descripciones(nuevas);
            int ultima = -1;
            for (const QString& v : nuevas)   // one chosen twice is listed once
                if (cuentas_->agregar(v, desc.value(v.trimmed().toUpper()))) ultima = cuentas_->count() - 1;
            if (ultima >= 0) LstTodo_->scrollTo(cuentas_->index(ultima, 0));
        },
    });
}

void Frm_AgrupCuentas::SeleccionaTodoList(ListaCuentas* lst, bool Seleccionar) { lst->tildarTodas(Seleccionar); }

void Frm_AgrupCuentas::HabilitaBotones(bool estado) {
    for (int p : {6, 4, 2, 1}) UtilBox1_->setDisponible(p, estado);
    UtilBox1_->setDisponible(5, false);
    UtilBox1_->setDisponible(2, false);
}

// The ticked accounts go in with multi-row INSERTs of a few hundred rows
// each (SQL Server takes at most 1,000 rows per VALUES list): the same rows
// as one insert per account, in a fraction of the round trips.
void Frm_AgrupCuentas::insertarCuentas(const QString& codigo, const QStringList& cuentas) {
    constexpr int kFilasPorSentencia = 500;
    const QString cod = q(codigo);
    for (int desde = 0; desde < cuentas.size(); desde += kFilasPorSentencia) {
        const int hasta = std::min<int>(int(cuentas.size()), desde + kFilasPorSentencia);
        QString sql = QStringLiteral("INSERT INTO TA_AGRUPCUENTAS_DETALLE (IDAGRUPACION, Cuenta) VALUES ");
        sql.reserve(sql.size() + (hasta - desde) * (cod.size() + 32));
        for (int i = desde; i < hasta; ++i) {
            sql += i > desde ? QLatin1String(",('") : QLatin1String("('");
            sql += cod;
            sql += QLatin1String("','");
            sql += cuentas[i].contains(u'\'') ? q(cuentas[i]) : cuentas[i];
            sql += QLatin1String("')");
        }
        long n = 0;
        DB().gCnn.Execute(sql, &n);
        // A driver that reports fewer rows than sent has not written them all.
        if (n != hasta - desde)
            throw ado::AdoError(ado::err::Unspecified, QStringLiteral("Se grabaron %1 de %2 cuentas").arg(n).arg(hasta - desde),
                                QStringLiteral("GrabarAgrupacion"));
    }
}

void Frm_AgrupCuentas::grabarUnaVez(const QString& codigo) {
    DB_Dll& db = DB();
    const QString descripcion = txtfields_[size_t(indiceCampo("DESCRIPCION"))]->text();
    const bool conReferencia = leido_ && leido_->codigo == codigo;
    // Header, old accounts out and new accounts in: all or nothing.
    ado::TransactionGuard tx(db.gCnn);
    abrir(QStringLiteral("SELECT * FROM TA_AGRUPCUENTAS WHERE IDAGRUPACION = '") + q(codigo) + u'\'', rsAgrupacion,
          ado::ad::OpenDynamic, ado::ad::LockOptimistic);
    const bool existe = !rsAgrupacion.Eof();
    if (conReferencia) {
        const std::optional<QString> ahora =
            existe ? std::optional<QString>(Utilidades().NullToText(rsAgrupacion[QStringLiteral("Descripcion")])) : std::nullopt;
        if (ahora != leido_->descripcion) throw ConflictoEdicion{};
    }
    if (existe) {
        rsAgrupacion.Fields(QStringLiteral("Descripcion")).setValue(descripcion);
    } else {
        rsAgrupacion.AddNew();
        rsAgrupacion.Fields(QStringLiteral("IDAGRUPACION")).setValue(codigo);
        rsAgrupacion.Fields(QStringLiteral("Descripcion")).setValue(descripcion);
    }
    try {
        rsAgrupacion.Update();   // also locks the header against a simultaneous save
    } catch (const VbError& e) {
        rsAgrupacion.CancelUpdate();
        if (e.number() == ado::err::RowChanged) throw ConflictoEdicion{};
        throw;
    }
    rsAgrupacion.Close();
    if (conReferencia) {
        ado::Recordset actuales;
        abrir(QStringLiteral("SELECT Cuenta FROM TA_AGRUPCUENTAS_DETALLE WHERE IDAGRUPACION = '") + q(codigo) + u'\'', actuales, 0, 1);
        const Leido& l = *leido_;
        const bool mismas = l.filasDeLista >= 0
                                ? mismasCuentas(actuales, l.filasDeLista, [&](int i) -> const QString& { return cuentas_->at(i).codigo; })
                                : mismasCuentas(actuales, int(l.cuentas.size()), [&](int i) -> const QString& { return l.cuentas[i]; });
        if (!mismas) throw ConflictoEdicion{};
    }
    QString borrar = QStringLiteral("DELETE TA_AGRUPCUENTAS_DETALLE WHERE IDAGRUPACION = '") + q(codigo) + u'\'';
    long n = 0;
    db.EjecutaConsultaSQL(borrar, n, nullptr);
    if (db.gCnn.errors().Count() > 0) {
        const ado::ErrorItem e = db.gCnn.errors().Item(0);
        throw ado::AdoError(e.Number, e.Description, e.Source);
    }
    const QStringList cuentas = cuentas_->tildadas();
    insertarCuentas(codigo, cuentas);
    tx.commit();
    leido_ = Leido{codigo, descripcion, cuentas, -1};
}

void Frm_AgrupCuentas::GrabarAgrupacion() {
    if (vbtext::Trim(txtfields_[size_t(indiceCampo("IDAGRUPACION"))]->text()).isEmpty()) {
        MsgBox(QStringLiteral("DEBE INFORMAR EL CODIGO"), vb::OKOnly);
        return;
    }
    if (vbtext::Trim(txtfields_[size_t(indiceCampo("DESCRIPCION"))]->text()).isEmpty()) {
        MsgBox(QStringLiteral("DEBE INFORMAR LA DESCRIPCION"), vb::OKOnly);
        return;
    }
    const QString codigo = Utilidades().FormatCode(txtfields_[size_t(indiceCampo("IDAGRUPACION"))]->text(), 4);
    for (;;) {
        try {
            grabarUnaVez(codigo);
            ArmaBarraEstado(statusBar(), QStringLiteral("Agrupación %1 grabada").arg(vbtext::Trim(codigo)));
            return;
        } catch (const ConflictoEdicion&) {
            if (rsAgrupacion.State() == ado::ad::StateOpen && rsAgrupacion.EditMode() != ado::ad::EditNone) rsAgrupacion.CancelUpdate();
            MsgBox(QStringLiteral("La agrupación %1 fue modificada en otro puesto desde que se consultó; no se grabó.\r\n"
                                  "Vuelva a consultarla (Enter en el código) y repita los cambios.").arg(vbtext::Trim(codigo)),
                   vb::OKOnly | vb::Exclamation, QStringLiteral("Aviso al Operador..."));
            return;
        } catch (const VbError& e) {
            if (rsAgrupacion.State() == ado::ad::StateOpen && rsAgrupacion.EditMode() != ado::ad::EditNone) rsAgrupacion.CancelUpdate();
            DB().ComprobarConexionPerdida(e);
            // Nothing was written; Retry saves the whole grouping again.
            if (Utilidades().ReportError(e, vb::AbortRetryIgnore | vb::Critical, QString()) != vb::Retry) return;
        }
    }
}

bool Frm_AgrupCuentas::borrarUnaVez(const QString& codigo) {
    DB_Dll& db = DB();
    ado::TransactionGuard tx(db.gCnn);
    ado::Recordset rs;
    abrir(QStringLiteral("SELECT * FROM TA_AGRUPCUENTAS WHERE IDAGRUPACION = '") + q(codigo) + u'\'', rs, 0, 1);
    if (rs.Eof()) return false;
    rs.Close();
    // The accounts go with their header, so that a later grouping with the
    // same code does not show them again.
    long n = 0;
    db.gCnn.Execute(QStringLiteral("DELETE TA_AGRUPCUENTAS_DETALLE WHERE IDAGRUPACION = '") + q(codigo) + u'\'', &n);
    db.gCnn.Execute(QStringLiteral("DELETE TA_AGRUPCUENTAS WHERE IDAGRUPACION = '") + q(codigo) + u'\'', &n);
    tx.commit();
    return true;
}

void Frm_AgrupCuentas::Borrar() {
    if (MsgBox(QStringLiteral("Desea Eliminar los Parametros"), vb::YesNo | vb::Question, QStringLiteral("Aviso al Operador...")) != vb::Yes)
        return;
    const QString codigo = Utilidades().FormatCode(txtfields_[0]->text(), 4);
    for (;;) {
        try {
            if (!borrarUnaVez(codigo)) return;
            for (QLineEdit* t : txtfields_) t->setText(QString());
            cuentas_->vaciar();
            leido_.reset();
            return;
        } catch (const VbError& e) {
            DB().ComprobarConexionPerdida(e);
            if (Utilidades().ReportError(e, vb::AbortRetryIgnore | vb::Critical, QString()) != vb::Retry) return;
        }
    }
}

void Frm_AgrupCuentas::UtilBox1_ButtonClick(const QString& comando) {
    const QString c = comando.toUpper();
    if (c == QLatin1String("CONSULTAR")) ConsultaCampo();
    else if (c == QLatin1String("GRABAR")) {
        ValidaCampos();
        GrabarAgrupacion();
    } else if (c == QLatin1String("BORRAR")) Borrar();
    else if (c == QLatin1String("CERRAR")) TerminarProceso(0);
}

bool Frm_AgrupCuentas::eventFilter(QObject* o, QEvent* e) {
    auto* w = qobject_cast<QWidget*>(o);
    if (e->type() == QEvent::KeyPress && w && w->window() == this && QApplication::activeModalWidget() == nullptr) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (UtilBox1_->TeclaPresionada(k->key(), k->modifiers())) return true;
    }
    for (int i = 0; i < 2; ++i) {
        if (o != txtfields_[size_t(i)]) continue;
        if (e->type() == QEvent::FocusIn) {
            CampoActual_ = i;
            UtilBox1_->setDisponible(3, !vbtext::Trim(txtfields_[size_t(i)]->property("Tag").toString()).isEmpty());
        } else if (e->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(e)->button() == Qt::RightButton) {
            CampoActual_ = i;
            ConsultaCampo();
            return true;
        }
    }
    return QMainWindow::eventFilter(o, e);
}

void Frm_AgrupCuentas::closeEvent(QCloseEvent* e) {
    e->accept();
    TerminarProceso(0);
}
