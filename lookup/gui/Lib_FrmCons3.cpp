#include "lookup/gui/Lib_FrmCons3.h"
#include "lookup/gui/FilasConsulta.h"
#include "data/Cfg.h"
#include "data/DB_Dll.h"
#include "lookup/AnchosColumnas.h"
#include "platform/Prompt.h"
#include "util/ErrorTrap.h"
#include "util/ReportaError.h"
#include "util/VbText.h"
#include "util/ZtUtil.h"
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTreeView>
#include <QVBoxLayout>

namespace {
int reporte(const VbError& e, const char* rutina) {
    return ReportaError(e, vb::AbortRetryIgnore | vb::Critical, QString::fromLatin1(rutina));
}
}

namespace {
std::function<void(const QString&, QString&)> gAbrirMantenimiento;
}

void setAbrirMantenimiento(std::function<void(const QString&, QString&)> f) { gAbrirMantenimiento = std::move(f); }

std::pair<QString, QString> ProgramaMantenimiento(const QString& tabla) {
    // The suite's maintenance programs by the table they keep.
    struct Fila { const char* tabla; const char* programa; const char* parametro; };
    static const Fila filas[] = {
        {"VT_CLIENTES", "SHELL:Clientes", "1"},         {"VT_PROVEEDORES", "SHELL:Clientes", "0"},
        {"V_TA_TECNICOS", "SHELL:Tecnicos", ""},        {"V_TA_VENDEDORES", "SHELL:Vendedores", ""},
        {"V_MA_ARTICULOS", "SHELL:Articulos", ""},      {"VT_MA_ARTICULOS", "SHELL:Articulos", ""},
    };
    for (const Fila& f : filas)
        if (vbtext::Equals(tabla, QString::fromLatin1(f.tabla))) return {QString::fromLatin1(f.programa), QString::fromLatin1(f.parametro)};
    return {QStringLiteral("SHELL:TablasGenerales"), tabla};
}

RespuestaConsulta MostrarConsultaLista(const PedidoConsulta& p) {
    Lib_FrmCons3 d(p, QApplication::activeWindow());
    d.exec();
    return d.respuesta();
}

Lib_FrmCons3::Lib_FrmCons3(const PedidoConsulta& pedido, QWidget* parent) : QDialog(parent), p_(pedido), sql_(pedido.sql) {
    setWindowTitle(QStringLiteral("Consulta..."));
    setObjectName(QStringLiteral("Lib_FrmCons3"));
    auto* v = new QVBoxLayout(this);
    auto* titulo = new QLabel(QStringLiteral("CONSULTA"), this);
    titulo->setStyleSheet(QStringLiteral("font-weight: bold;"));
    v->addWidget(titulo);
    desplazar_ = new QScrollArea(this);
    desplazar_->setWidgetResizable(true);
    desplazar_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    campos_ = new QWidget(desplazar_);
    campos_->setObjectName(QStringLiteral("picFields"));
    auto* cv = new QVBoxLayout(campos_);
    cv->setContentsMargins(0, 0, 0, 0);
    cv->setSpacing(2);
    auto* filaCajas = new QWidget(campos_);
    filaCajas->setObjectName(QStringLiteral("filaCajas"));
    filaCajas->setMinimumHeight(QComboBox().sizeHint().height());
    cv->addWidget(filaCajas);
    filas_ = new FilasConsulta(this);
    filas_->setCasillas(p_.CheckBoxes);
    lista_ = new QTreeView(campos_);
    lista_->setObjectName(QStringLiteral("ListView1"));
    lista_->setModel(filas_);
    lista_->setRootIsDecorated(false);
    lista_->setUniformRowHeights(true);
    lista_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lista_->setAlternatingRowColors(true);
    QFont f = lista_->font();
    f.setBold(true);
    f.setPointSize(10);
    lista_->setFont(f);
    filas_->setFuenteColor(f);
    lista_->installEventFilter(this);
    lista_->header()->setSectionsClickable(true);
    cv->addWidget(lista_, 1);
    desplazar_->setWidget(campos_);
    v->addWidget(desplazar_, 1);
    auto* botones = new QHBoxLayout;
    aceptar_ = new QPushButton(QStringLiteral("&Aceptar"), this);
    cancelar_ = new QPushButton(QStringLiteral("&Cancelar"), this);
    nueva_ = new QPushButton(QStringLiteral("&Nueva Busqueda"), this);
    nuevo_ = new QPushButton(QStringLiteral("N&uevo"), this);
    marcar_ = new QPushButton(QStringLiteral("&Marcar"), this);
    for (QPushButton* b : {aceptar_, cancelar_, nueva_, nuevo_, marcar_}) {
        b->setAutoDefault(false);
        botones->addWidget(b);
    }
    botones->addStretch(1);
    v->addLayout(botones);
    marcar_->setVisible(p_.CheckBoxes);
    connect(aceptar_, &QPushButton::clicked, this, &Lib_FrmCons3::Aceptar);
    connect(cancelar_, &QPushButton::clicked, this, &Lib_FrmCons3::Cancelar);
    connect(nueva_, &QPushButton::clicked, this, &Lib_FrmCons3::NuevaBusqueda);
    connect(marcar_, &QPushButton::clicked, this, &Lib_FrmCons3::Marcar);
    connect(nuevo_, &QPushButton::clicked, this, [this] {
        auto [programa, parametro] = ProgramaMantenimiento(tabla_);
        if (gAbrirMantenimiento) gAbrirMantenimiento(programa, parametro);
    });
    connect(lista_, &QTreeView::doubleClicked, this, &Lib_FrmCons3::Aceptar);
    connect(lista_->header(), &QHeaderView::sectionClicked, this, [this](int c) {
        filas_->sort(c, orden_);
        orden_ = orden_ == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    });
    Cargar();
    if (p_.DestildarTodo) filas_->tildarTodas(false);
}

QComboBox* Lib_FrmCons3::caja(int i) {
    while (int(cajas_.size()) <= i) {
        auto* c = new QComboBox(campos_->findChild<QWidget*>(QStringLiteral("filaCajas")));
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        c->setObjectName(QStringLiteral("CmbSearch%1").arg(cajas_.size()));
        c->setToolTip(QStringLiteral("F5 realiza nueva busqueda"));
        // Keys reach the box or its line edit depending on where the focus sits.
        c->installEventFilter(this);
        c->lineEdit()->installEventFilter(this);
        const int n = int(cajas_.size());
        connect(c, &QComboBox::editTextChanged, this, [this, n] { busquedaInstantanea(n); });
        cajas_.push_back(c);
    }
    return cajas_[size_t(i)];
}

void Lib_FrmCons3::Cargar() {
    DB_Dll& db = DB();
    const TrapReport report = [](const VbError& e) { return reporte(e, "FORM_LOAD"); };
    bool fin = false;
    runTrapped(report, {
        [&] {
            esArticulos_ = vbtext::Contains(sql_, QStringLiteral("articulos"));
            respuesta_.Valores = QStringList();
            respuesta_.Cantidades = QStringList();
            filas_->vaciar();
        },
        [&] {
            fin = vbtext::Trim(sql_).isEmpty();
            if (p_.filasFijas) CargarFijas();
        },
        [&] {
            if (fin) return;
            sql_ += u' ';
            const int de = vbtext::InStr(sql_, QStringLiteral("from"));
            if (de > 0) {
                const int blanco = sql_.indexOf(u' ', de + 4);
                tabla_ = vbtext::Trim(sql_.mid(de + 4 - 1, (blanco < 0 ? sql_.size() : blanco) - (de + 3)));
            }
            if (primera_.isEmpty()) primera_ = sql_;
        },
        [&] {
            if (!fin) db.AbrirRecordset(sql_, rs_);
        },
        [&] {
            if (fin) return;
            Encolumnar();
            Leer();
        },
        [&] {
            if (!fin && p_.OrdenarPorLwv) filas_->sort(0, Qt::AscendingOrder);
        },
        [&] {
            if (!fin && !vbtext::Trim(p_.FiltroInicial).isEmpty()) caja(0)->setEditText(p_.FiltroInicial);
        },
        [&] {
            if (!fin) db.CierraRecordset(rs_);
        },
        [&] {
            if (!fin) AplicarAnchos();
        },
        [&] {
            if (!fin) CalcularAncho();
        },
    });
}

void Lib_FrmCons3::CargarFijas() {
    nueva_->setVisible(!p_.ocultarNueva);
    filas_->setCabeceras({p_.Titulo});
    caja(0)->setProperty("Tag", p_.Titulo);
    int largo = int(p_.Titulo.size());
    std::vector<char> tildes;
    for (int i = 0; i < p_.filas.size(); ++i) {
        tildes.push_back(p_.CheckBoxes && p_.tildadas.value(i));
        largo = std::max(largo, int(p_.filas[i].size()) + (p_.CheckBoxes ? 1 : 0));
    }
    filas_->cargarTextos(p_.filas, std::move(tildes));
    if (p_.OrdenarPorLwv) filas_->sort(0, Qt::AscendingOrder);
    irAFila(0);
    // 120 twips (8 px) a character, at most the screen's width.
    const int pantalla = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry().width() : 1024;
    const int ancho = std::min(pantalla, std::max(largo * 8, 160));
    lista_->header()->resizeSection(0, ancho);
    caja(0)->setGeometry(0, 0, ancho, caja(0)->sizeHint().height());
    resize(std::min(pantalla, ancho + 60), 420);
}

namespace {
int twipsAPx(double t) {
    const double dpi = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->logicalDotsPerInch() : 96.0;
    return int(t / 15.0 * dpi / 96.0 + 0.5);
}
double pxATwips(int px) {
    const double dpi = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->logicalDotsPerInch() : 96.0;
    return std::round(px * 15.0 * 96.0 / dpi);
}
}

void Lib_FrmCons3::AplicarAnchos() {
    if (vbtext::Equals(tabla_, QStringLiteral("Stk_ma_articulos"))) tabla_ = QStringLiteral("VT_MA_ARTICULOS");
    const auto anchos = LeerAnchos(ArchivoAnchos(), tabla_);
    if (!anchos) return;
    for (int i = 0; i < filas_->columnCount() && i < int(anchos->size()); ++i)
        if ((*anchos)[size_t(i)] > 0) lista_->header()->resizeSection(i, twipsAPx((*anchos)[size_t(i)]));
}

void Lib_FrmCons3::GuardarAnchosColumnas() {
    if (!p_.GrabarCfg || tabla_.isEmpty()) return;
    std::vector<double> anchos;
    for (int i = 0; i < filas_->columnCount(); ++i) anchos.push_back(pxATwips(lista_->header()->sectionSize(i)));
    GuardarAnchos(ArchivoAnchos(), tabla_, anchos);
}

void Lib_FrmCons3::done(int r) {
    const TrapReport report = [](const VbError& e) {
        MsgBox(e.description(), vb::Critical, QStringLiteral("Aviso al Operador"));
        return 0;
    };
    runTrapped(report, {[&] { GuardarAnchosColumnas(); }});
    QDialog::done(r);
}

void Lib_FrmCons3::Cantidad(int tecla, bool shift) {
    const int it = filaActual();
    if (it < 0) return;
    const int col = IndiceColumna(QStringLiteral("**Cantidad**"));
    const QString actual = valorColumna(it, col);
    double v = vbtext::Val(actual);
    if (tecla == Qt::Key_Insert && shift) {
        const QString r = InputBox(QStringLiteral("Ingrese la Cantidad del Articulo..."), QStringLiteral("Carga de Datos"), actual);
        v = vbtext::Val(r);   // an empty or unreadable answer is a zero quantity
        filas_->setTexto(it, col - 1, QString::number(v, 'f', 2));
        if (p_.CheckBoxes) filas_->setTildada(it, true);
    } else if (tecla == Qt::Key_Insert) {
        filas_->setTexto(it, col - 1, QString::number(v + 1, 'f', 1));
        if (p_.CheckBoxes) filas_->setTildada(it, true);
    } else if (tecla == Qt::Key_Delete && !shift) {
        v -= 1;
        if (v <= 0) {
            if (p_.CheckBoxes) filas_->setTildada(it, false);
            filas_->setTexto(it, col - 1, QStringLiteral("0.00"));
        } else {
            filas_->setTexto(it, col - 1, QString::number(v, 'f', 1));
        }
    }
}

void Lib_FrmCons3::InformarFaltante() {
    const int it = filaActual();
    if (it < 0 || !esArticulos_) return;
    const QString articulo = vbtext::Trim(valorColumna(it, IndiceColumna(QStringLiteral("idarticulo"))));
    const QString descripcion = vbtext::Trim(valorColumna(it, IndiceColumna(QStringLiteral("Descripcion"))));
    if (MsgBox(QStringLiteral("Desea informar el articulo ") + articulo + u' ' + descripcion + QStringLiteral("\r\ncomo un faltante de stock?"),
               vb::YesNo | vb::Question, QStringLiteral("Atención!")) != vb::Yes)
        return;
    DB().EjecutaConsultaSQL(QStringLiteral("INSERT INTO V_MV_FALTANTES (FechaHora,IdArticulo,Descripcion,Usuario) values('") +
                            QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")) + QStringLiteral("','") +
                            entreComillas(Utilidades().FormatCode(articulo, 25)) + QStringLiteral("','") + entreComillas(descripcion) +
                            QStringLiteral("','") + entreComillas(DB().gUsuario) + QStringLiteral("')"));
}

void Lib_FrmCons3::Encolumnar() {
    if (rs_.State() != ado::ad::StateOpen) return;
    QStringList cabeceras;
    std::vector<int> anchos;
    const bool articulos = vbtext::Contains(sql_, QStringLiteral("V_MA_ARTICULOS")) || vbtext::Contains(sql_, QStringLiteral("STK_MA_ARTICULOS"));
    for (int i = 0; i < rs_.FieldCount(); ++i) {
        ado::Field f = rs_.Fields(i);
        int ancho = int(f.DefinedSize());
        if (f.Type() == 6 || f.Type() == 131 || f.Type() == 14) ancho = 12;
        if (ancho <= 0 || ancho > 60) ancho = 60;
        QString cabecera = f.Name();
        if (articulos) {
            for (int k = 1; k <= 8; ++k)
                if (vbtext::Equals(f.Name(), QStringLiteral("PRECIO%1").arg(k))) cabecera = vbtext::Trim(Cfg(QStringLiteral("NOM_PCLASE%1").arg(k)));
        } else if (p_.ValoresDefault == QLatin1String("@10")) {
            ancho += 10;
        }
        QComboBox* c = caja(i);
        c->setProperty("Tag", f.Name());
        c->setVisible(true);
        cabeceras << cabecera;
        anchos.push_back(ancho);
    }
    for (size_t i = size_t(rs_.FieldCount()); i < cajas_.size(); ++i) cajas_[i]->setVisible(false);
    filas_->setCabeceras(cabeceras);
    const int x = lista_->fontMetrics().horizontalAdvance(QLatin1Char('X'));
    for (size_t i = 0; i < anchos.size(); ++i) lista_->header()->resizeSection(int(i), anchos[i] * x);
}

void Lib_FrmCons3::Leer() {
    if (rs_.State() != ado::ad::StateOpen || rs_.Bof()) return;
    const ZtUtil& u = Utilidades();
    const int n = rs_.FieldCount();
    int indiceDevuelto = -1;
    for (int i = 0; i < n; ++i)
        if (vbtext::Equals(rs_.Fields(i).Name(), p_.CampoDevuelto)) indiceDevuelto = i;
    int puntoPedido = -1, stock = -1;
    for (int i = 0; i < n; ++i) {
        if (vbtext::Equals(rs_.Fields(i).Name(), QStringLiteral("PUNTOPEDIDO"))) puntoPedido = i;
        if (vbtext::Equals(rs_.Fields(i).Name(), QStringLiteral("Stock"))) stock = i;
    }
    const bool colorear = esArticulos_ && vbtext::Equals(p_.MuestraStock, QStringLiteral("SI")) && puntoPedido >= 0 && stock >= 0;
    // The rows stay where the recordset read them; only ticks and colours
    // are worked out here, and only when there are any to give.
    std::vector<char> tildes;
    std::vector<QColor> colores;
    const bool tildar = p_.CheckBoxes && !p_.ValoresDefault.isEmpty();
    for (; (tildar || colorear) && !rs_.Eof(); rs_.MoveNext()) {
        if (tildar) {
            const QString v = indiceDevuelto >= 0 ? vbtext::Trim(rs_.Celda(indiceDevuelto).toText()) : QString();
            tildes.push_back(!v.isEmpty() && vbtext::Contains(p_.ValoresDefault, v));
        }
        if (colorear) {
            // Article rows take the colour of their stock level.
            QColor color;
            try {
                const double pp = u.TextToCurrency(u.NullToText(rs_.Fields(puntoPedido).Value()));
                const double st = u.TextToCurrency(u.NullToText(rs_.Fields(stock).Value()));
                const ado::Variant& c = (pp == 0 && st > 0) ? p_.StkNivel1 : (pp > 0 && st > pp) ? p_.StkNivel2
                                                           : (pp > 0 && st < pp)                 ? p_.StkNivel3
                                                                                                 : p_.StkNivel4;
                if (!vbtext::Trim(c.toText()).isEmpty()) {
                    const qint64 v = c.toLongLong();   // VB colour: red + green * 256 + blue * 65536
                    color = QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
                }
            } catch (const VbError&) {
            }
            colores.push_back(color);
        }
    }
    filas_->cargar(rs_.Datos(), std::move(tildes), std::move(colores));
    irAFila(0);
}

void Lib_FrmCons3::CalcularAncho() {
    auto* fila = campos_->findChild<QWidget*>(QStringLiteral("filaCajas"));
    int total = 0;
    for (int i = 0; i < filas_->columnCount() && i < int(cajas_.size()); ++i) {
        const int x = lista_->header()->sectionPosition(i) + lista_->frameWidth();
        const int w = lista_->header()->sectionSize(i);
        cajas_[size_t(i)]->setGeometry(x, 0, std::max(20, w - 3), fila->minimumHeight());
        total += w;
    }
    campos_->setMinimumWidth(total + 24);
    const int pantalla = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry().width() : 1024;
    resize(std::min(pantalla - 32, std::max(480, total + 60)), std::max(height(), 420));
}

int Lib_FrmCons3::Busqueda(int Clave, const QString& QueValor) const { return filas_->buscar(Clave, QueValor); }

int Lib_FrmCons3::filaActual() const {
    const QModelIndex i = lista_->currentIndex();
    return i.isValid() ? i.row() : -1;
}

void Lib_FrmCons3::irAFila(int fila) {
    if (fila < 0 || fila >= filas_->count()) return;
    lista_->setCurrentIndex(filas_->index(fila, 0));
    lista_->scrollTo(filas_->index(fila, 0));
}

int Lib_FrmCons3::IndiceColumna(const QString& Columna) const {
    for (int i = 0; i < filas_->columnCount(); ++i)
        if (vbtext::Equals(vbtext::Trim(filas_->cabecera(i)), vbtext::Trim(Columna))) return i + 1;
    return filas_->columnCount() + 1;
}

void Lib_FrmCons3::busquedaInstantanea(int c) {
    cajaActual_ = c;
    const int fila = Busqueda(c, cajas_[size_t(c)]->currentText());
    irAFila(fila);
}

void Lib_FrmCons3::NuevaConsulta(int c) {
    QString cola, prefijo, base = sql_;
    const int orden = vbtext::InStr(sql_, QStringLiteral("order"));
    if (orden > 0) {
        const int ob = vbtext::InStr(sql_, QStringLiteral("order by"));
        if (ob > 0) {
            cola = sql_.mid(ob - 1);
            base = sql_.left(ob - 1);
        }
    }
    const int gb = vbtext::InStr(sql_, QStringLiteral("group by"));
    if (gb > 0) {
        if (!vbtext::Trim(sql_.mid(gb - 1)).isEmpty()) cola = sql_.mid(gb - 1);
        base = sql_.left(gb - 1);
    }
    if (vbtext::Contains(base, QStringLiteral("stk_ma_articulos."))) prefijo = QStringLiteral("stk_ma_articulos.");
    if (vbtext::Contains(base, QStringLiteral("v_ma_articulos."))) prefijo = QStringLiteral("v_ma_articulos.");
    const QString union_ = vbtext::Contains(sql_, QStringLiteral("where")) ? QStringLiteral(" and ") : QStringLiteral(" where ");
    QComboBox* b = caja(c);
    const QString campo = b->property("Tag").toString();
    QString texto = b->currentText();
    if (p_.CfgUsaConsultaLIKE) {
        sql_ = base + union_ + prefijo + campo + QStringLiteral(" like '%") + entreComillas(texto).replace(u' ', u'%') + QStringLiteral("%' ") + cola;
    } else {
        texto = Utilidades().ReplaceText(texto, QStringLiteral("*"), QStringLiteral("%"));
        b->setEditText(texto);
        sql_ = base + union_ + prefijo + campo + QStringLiteral(" like '") + entreComillas(texto) + QStringLiteral("%' ") + cola;
    }
    sqlNueva_ = sql_;
    const QSignalBlocker bloqueo(b);
    b->setEditText(QString());
    Cargar();
}

void Lib_FrmCons3::NuevaBusqueda() {
    sql_ = primera_;
    sql_.chop(1);   // loading appends its blank again
    Cargar();
    if (!cajas_.empty()) cajas_[0]->setFocus();
}

QString Lib_FrmCons3::valorColumna(int fila, int columna1) const {
    if (columna1 < 1 || columna1 > filas_->columnCount()) throw VbError(35600, QStringLiteral("Índice fuera de los límites"));
    return filas_->texto(fila, columna1 - 1);
}

void Lib_FrmCons3::Aceptar() {
    const TrapReport report = [](const VbError& e) { return reporte(e, "CmdAceptar"); };
    runTrapped(report, {[&] {
        if (p_.CheckBoxes) {
            if (p_.CampoDevuelto.isEmpty() && filas_->columnCount() > 0) p_.CampoDevuelto = filas_->cabecera(0);
            QStringList valores;
            const int col = IndiceColumna(p_.CampoDevuelto);
            for (int i = 0; i < filas_->count(); ++i)
                if (filas_->tildada(i)) valores << valorColumna(i, col);
            respuesta_.Valores = valores;
            if (p_.UsaCantidades) {
                // The quantities of the ticked rows, for the caller that asked for them.
                QStringList cantidades;
                const int col = IndiceColumna(QStringLiteral("**Cantidad**"));
                for (int i = 0; i < filas_->count(); ++i)
                    if (filas_->tildada(i) && col <= filas_->columnCount()) cantidades << filas_->texto(i, col - 1);
                respuesta_.Cantidades = cantidades;
            }
            return;
        }
        const int it = filaActual();
        if (it < 0) return;
        QString ultimo;
        for (const QString& c : p_.CmpsDevueltos) respuesta_.CmpsDevueltos << (ultimo = valorColumna(it, IndiceColumna(c)));
        if (!vbtext::Trim(p_.CampoDevuelto).isEmpty()) ultimo = valorColumna(it, IndiceColumna(p_.CampoDevuelto));
        respuesta_.ValorDevuelto = ultimo;
    }});
    accept();
}

void Lib_FrmCons3::Cancelar() { reject(); }

void Lib_FrmCons3::reject() {
    // Cancel and Esc alike: nothing chosen.
    respuesta_.ValorDevuelto = QString();
    respuesta_.Valores.reset();
    respuesta_.CmpsDevueltos.clear();
    QDialog::reject();
}

void Lib_FrmCons3::Marcar() { filas_->invertirTildes(); }

void Lib_FrmCons3::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // The clerk types at once: the first search box has the focus.
    if (!cajas_.empty()) cajas_[0]->setFocus();
}

bool Lib_FrmCons3::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut)
        for (size_t i = 0; i < cajas_.size(); ++i)
            if (o == cajas_[i]->lineEdit() || o == cajas_[i]) {
                cajas_[i]->lineEdit()->setStyleSheet(e->type() == QEvent::FocusIn ? QStringLiteral("background: #00FFFF;") : QString());
                if (e->type() == QEvent::FocusIn) cajaActual_ = int(i);
            }
    if (e->type() != QEvent::KeyPress) return QDialog::eventFilter(o, e);
    auto* k = static_cast<QKeyEvent*>(e);
    for (size_t i = 0; i < cajas_.size(); ++i) {
        if (o != cajas_[i]->lineEdit() && o != cajas_[i]) continue;
        if (k->key() == Qt::Key_F5) {
            NuevaConsulta(int(i));
            return true;
        }
        if (k->key() == Qt::Key_Down || k->key() == Qt::Key_Up || k->key() == Qt::Key_PageDown || k->key() == Qt::Key_PageUp) {
            lista_->setFocus();
            return true;
        }
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            Aceptar();
            return true;
        }
    }
    if (k->key() == Qt::Key_F12 && esArticulos_) {
        runTrapped(trap::skipAll, {[&] { InformarFaltante(); }});
        return true;
    }
    if (o == lista_) {
        if (k->key() == Qt::Key_Space && p_.CheckBoxes) return false;
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            Aceptar();
            return true;
        }
        if (p_.UsaCantidades && (k->key() == Qt::Key_Insert || (k->key() == Qt::Key_Delete && !(k->modifiers() & Qt::ShiftModifier)))) {
            const TrapReport report = [](const VbError& e) { return reporte(e, "ListView1_KeyDown"); };
            runTrapped(report, {[&] { Cantidad(k->key(), k->modifiers() & Qt::ShiftModifier); }});
            return true;
        }
        const QString t = k->text();
        if (!t.isEmpty() && (t[0].isPrint() || k->key() == Qt::Key_Backspace) && !(k->modifiers() & Qt::ControlModifier)) {
            QComboBox* b = caja(cajaActual_);
            b->setFocus();
            if (k->key() == Qt::Key_Backspace) b->setEditText(b->currentText().left(b->currentText().size() - 1));
            else b->setEditText(b->currentText() + t);
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}
