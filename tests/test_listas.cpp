// The in-memory lists behind the window's accounts and the lookups' rows.
#include "app/ListaCuentas.h"
#include "lookup/gui/FilasConsulta.h"
#include "platform/ado/Recordset.h"
#include "platform/ado/RowTable.h"
#include "platform/ado/TextBlocks.h"
#include "util/ConjuntoTextos.h"
#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(ConjuntoTextos, GivesPositionsInOrderAndRefusesRepeats) {
    // Small capacity on purpose: the table has to grow several times.
    ConjuntoTextos c(2);
    const struct { const char* texto; int esperado; } casos[] = {
        {"110101", 0}, {"110102", 1}, {"110101", -1}, {"", 2}, {"", -1}, {"110101 ", 3}, {"ABC", 4}, {"abc", 5}, {"Año", 6},
    };
    for (const auto& k : casos) EXPECT_EQ(c.agregar(QString::fromUtf8(k.texto)), k.esperado) << k.texto;
    EXPECT_EQ(c.size(), 7);
    for (int i = 0; i < 5000; ++i) ASSERT_EQ(c.agregar(QStringLiteral("9%1").arg(i)), 7 + i);
    EXPECT_EQ(c.posicion(QStringLiteral("110102")), 1);
    EXPECT_EQ(c.posicion(QStringLiteral("94999")), 7 + 4999);
    EXPECT_EQ(c.posicion(QStringLiteral("95000")), -1);
    EXPECT_FALSE(c.contiene(QStringLiteral("Abc")));   // exact comparison
    c.clear();
    EXPECT_EQ(c.size(), 0);
    EXPECT_FALSE(c.contiene(QStringLiteral("110101")));
    EXPECT_EQ(c.agregar(QStringLiteral("110101")), 0);
}

TEST(ListaCuentas, LoadsEachCodeOnceAndKeepsTicksWhenAdding) {
    ListaCuentas l;
    l.cargar({{QStringLiteral("2"), QStringLiteral("Dos"), true},
              {QStringLiteral("1"), QStringLiteral("Uno"), true},
              {QStringLiteral("2"), QStringLiteral("Otra"), true}});
    ASSERT_EQ(l.rowCount(), 2);
    EXPECT_EQ(l.data(l.index(0, 1), Qt::DisplayRole).toString(), QStringLiteral("Dos"));
    EXPECT_EQ(l.fila(QStringLiteral("1")), 1);
    // The view ticks through setData; a code added again keeps its tick.
    EXPECT_TRUE(l.setData(l.index(0, 0), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_FALSE(l.setData(l.index(0, 1), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_FALSE(l.agregar(QStringLiteral("2"), QStringLiteral("Dos")));
    EXPECT_FALSE(l.at(0).tildada);
    QSignalSpy filas(&l, &QAbstractItemModel::rowsInserted);
    EXPECT_TRUE(l.agregar(QStringLiteral("3"), QStringLiteral("Tres")));
    EXPECT_EQ(filas.count(), 1);
    EXPECT_EQ(l.tildadas(), (QStringList{QStringLiteral("1"), QStringLiteral("3")}));
    QStringList codigos;
    for (int i = 0; i < l.count(); ++i) codigos << l.at(i).codigo;
    EXPECT_EQ(codigos, (QStringList{QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("3")}));
    EXPECT_TRUE(l.flags(l.index(0, 0)) & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(l.flags(l.index(0, 1)) & Qt::ItemIsUserCheckable);
    l.tildarTodas(true);
    EXPECT_EQ(l.tildadas().size(), 3);
    l.vaciar();
    EXPECT_EQ(l.rowCount(), 0);
    EXPECT_EQ(l.fila(QStringLiteral("1")), -1);
}

namespace {
std::shared_ptr<const ado::ResultSet> filasDe(std::vector<std::vector<ado::Variant>> filas) {
    auto r = std::make_shared<ado::ResultSet>();
    r->hasRows = true;
    for (auto& f : filas) r->rows.push_back(std::move(f));
    return r;
}
} // namespace

TEST(FilasConsulta, SortsRowsWithTheirTicksAndSearchesIgnoringCaseAndBlanks) {
    FilasConsulta f;
    f.setCasillas(true);
    f.setCabeceras({QStringLiteral("CODIGO"), QStringLiteral("DESCRIPCION")});
    f.cargar(filasDe({{QStringLiteral("B "), QStringLiteral(" Ñandú")},
                      {QStringLiteral("a"), QStringLiteral("Caja")},
                      {QStringLiteral("B"), QStringLiteral("Bancos")},
                      {QStringLiteral("C"), QStringLiteral("caja chica")},
                      {ado::Variant(12.5), ado::Variant::null()}}),
             {1, 0, 0, 1, 0}, {QColor(Qt::red), QColor(), QColor(), QColor(), QColor()});
    ASSERT_EQ(f.count(), 5);
    // Shown as text without blanks at the ends; Null as nothing.
    EXPECT_EQ(f.texto(0, 0), QStringLiteral("B"));
    EXPECT_EQ(f.texto(0, 1), QStringLiteral("Ñandú"));
    EXPECT_EQ(f.texto(4, 0), QStringLiteral("12.5"));
    EXPECT_EQ(f.texto(4, 1), QString());
    const struct { const char* texto; int columna; int fila; } busquedas[] = {
        {"caja", 1, 1}, {"CAJA C", 1, 3}, {"  ñan", 1, 0}, {"b", 0, 0}, {"", 0, 0}, {"12", 0, 4}, {"x", 0, -1}, {"a", 5, -1}};
    for (const auto& b : busquedas) EXPECT_EQ(f.buscar(b.columna, QString::fromUtf8(b.texto)), b.fila) << b.texto;
    // Exact order ("12.5" < "B" < "C" < "a"), stable for the two "B" rows; ticks and colours go with their rows.
    f.sort(0, Qt::AscendingOrder);
    const char* const asc[] = {"12.5", "B", "B", "C", "a"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(f.texto(i, 0), QString::fromLatin1(asc[i]));
    EXPECT_EQ(f.texto(1, 1), QStringLiteral("Ñandú"));
    EXPECT_TRUE(f.tildada(1));
    EXPECT_EQ(f.color(1), QColor(Qt::red));
    EXPECT_TRUE(f.tildada(3));
    EXPECT_EQ(f.buscar(0, QStringLiteral("a")), 4);
    // A text changed on screen stays with its row.
    f.setTexto(1, 1, QStringLiteral("Cambiada"));
    f.sort(1, Qt::DescendingOrder);
    EXPECT_EQ(f.texto(0, 1), QStringLiteral("caja chica"));
    EXPECT_TRUE(f.tildada(0));
    EXPECT_EQ(f.buscar(1, QStringLiteral("camb")), 1);
    f.invertirTildes();
    EXPECT_FALSE(f.tildada(0));
    EXPECT_EQ(f.data(f.index(0, 0), Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_FALSE(f.data(f.index(0, 1), Qt::CheckStateRole).isValid());
    EXPECT_EQ(f.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("DESCRIPCION"));
    // Fixed option rows are shown exactly as given.
    f.setCabeceras({QStringLiteral("Opciones")});
    f.cargarTextos({QStringLiteral(" 1 - Uno "), QStringLiteral("2 - Dos")}, {});
    EXPECT_EQ(f.texto(0, 0), QStringLiteral(" 1 - Uno "));
    EXPECT_EQ(f.buscar(0, QStringLiteral("2")), 1);
}

// Texts decoded into shared blocks read exactly as QString::fromUtf8 gives
// them, end in a NUL, and stay each other's own when kept or changed.
TEST(TextBlocks, DecodesAsFromUtf8) {
    const std::string largo(20000, 'x');
    const std::vector<std::pair<const char*, std::string>> casos = {
        {"vacío", ""},
        {"ASCII", "1101 Caja"},
        {"ASCII largo, luego no ASCII", "Cuenta de prueba n\xC3\xBAmero 12"},
        {"dos bytes", "\xC3\xB1" "and\xC3\xBA"},
        {"tres bytes", "\xE2\x82\xAC 100"},
        {"cuatro bytes", "a\xF0\x9F\x98\x80" "b"},
        {"BOM al principio", "\xEF\xBB\xBF" "abc"},
        {"BOM en medio", "ab\xEF\xBB\xBF" "c"},
        {"sobrelargo", "\xC0\xAF" "x"},
        {"continuación suelta", "a\x80" "b"},
        {"dos bytes cortados", "abc\xC3"},
        {"tres bytes cortados", "abc\xE2\x82"},
        {"suplente", "\xED\xA0\x80"},
        {"no carácter", "\xEF\xBF\xBE" "\xEF\xB7\x90"},
        {"byte FF", "\xFF" "abc"},
        {"más largo que un bloque", largo},
    };
    ado::TextBlocks bloques;
    std::vector<QString> guardados;
    for (int vuelta = 0; vuelta < 300; ++vuelta)   // enough to fill several blocks
        for (const auto& [nombre, bytes] : casos) {
            const QString esperado = QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
            const QString leido = bloques.fromUtf8(bytes.data(), qsizetype(bytes.size()));
            ASSERT_EQ(leido, esperado) << nombre;
            ASSERT_EQ(leido.isNull(), esperado.isNull()) << nombre;
            ASSERT_EQ(leido.utf16()[leido.size()], 0) << nombre;
            guardados.push_back(leido);
        }
    // Changing one text leaves its neighbours in the block as they were.
    guardados[1].append(QStringLiteral("!"));
    guardados[2][0] = u'X';
    EXPECT_EQ(guardados[1], QStringLiteral("1101 Caja!"));
    EXPECT_EQ(guardados[2], QStringLiteral("Xuenta de prueba número 12"));
    EXPECT_EQ(guardados[3], QStringLiteral("ñandú"));
    EXPECT_EQ(guardados[1 + casos.size()], QStringLiteral("1101 Caja"));
}

TEST(TextBlocks, TextsOutliveTheirTableAndACopyFillsBlocksOfItsOwn) {
    std::vector<QString> textos;
    {
        ado::TextBlocks a;
        for (int i = 0; i < 50; ++i) textos.push_back(a.fromUtf8("uno", 3));
        ado::TextBlocks b(a);
        ado::TextBlocks c;
        c = a;
        for (int i = 0; i < 50; ++i) {
            textos.push_back(b.fromUtf8("dos", 3));
            textos.push_back(c.fromUtf8("tres", 4));
            textos.push_back(a.fromUtf8("cuatro", 6));
        }
    }
    for (int i = 0; i < 50; ++i) ASSERT_EQ(textos[size_t(i)], QStringLiteral("uno"));
    for (size_t i = 50; i < textos.size(); i += 3) {
        ASSERT_EQ(textos[i], QStringLiteral("dos"));
        ASSERT_EQ(textos[i + 1], QStringLiteral("tres"));
        ASSERT_EQ(textos[i + 2], QStringLiteral("cuatro"));
    }
    // The last holder of a block may change its text in place.
    QString ultimo = textos.back();
    textos.clear();
    ultimo += QStringLiteral(" y cinco");
    EXPECT_EQ(ultimo, QStringLiteral("cuatro y cinco"));
}

// Rows kept in chunks read, change and go away as in one vector, across the
// chunks' edges.
TEST(RowTable, RowsAcrossChunksReadChangeAndEraseInOrder) {
    ado::RowTable t;
    t.setWidth(2);
    std::vector<std::pair<QString, qint64>> esperado;
    for (int i = 0; i < 10000; ++i) {
        const QString codigo = QString::number(i);
        if (i % 2) t.addText(codigo.toUtf8().constData(), codigo.size());
        else t.addCell(ado::Variant(codigo));
        t.addCell(ado::Variant(qint64(i)));
        esperado.push_back({codigo, i});
    }
    auto igual = [&](const ado::RowTable& r) {
        if (r.size() != esperado.size()) return ::testing::AssertionFailure() << r.size() << " filas";
        for (size_t i = 0; i < esperado.size(); ++i)
            if (r[i][0].toText() != esperado[i].first || r[i][1].toLongLong() != esperado[i].second)
                return ::testing::AssertionFailure() << "fila " << i << ": " << r[i][0].toText().toStdString();
        return ::testing::AssertionSuccess();
    };
    ASSERT_TRUE(igual(t));
    t.setRow(5000, {ado::Variant(QStringLiteral("cambiada")), ado::Variant(qint64(-1))});
    esperado[5000] = {QStringLiteral("cambiada"), -1};
    for (size_t fila : {size_t(0), size_t(4095), size_t(4096), size_t(8190), size_t(9000)}) {
        t.erase(fila);
        esperado.erase(esperado.begin() + long(fila));
    }
    t.erase(t.size() - 1);
    esperado.pop_back();
    ASSERT_TRUE(igual(t));
    // A copy goes on by itself.
    ado::RowTable copia = t;
    copia.push_back({ado::Variant(QStringLiteral("nueva")), ado::Variant(qint64(7))});
    ASSERT_TRUE(igual(t));
    esperado.push_back({QStringLiteral("nueva"), 7});
    EXPECT_TRUE(igual(copia));
    // Rows of no cells are still counted.
    ado::RowTable vacia;
    vacia.push_back({});
    vacia.push_back({});
    EXPECT_EQ(vacia.size(), 2u);
    EXPECT_EQ(vacia[1].size(), 0u);
}
