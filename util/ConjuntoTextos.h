#pragma once
#include <QHashFunctions>
#include <QString>
#include <vector>

// A set of texts (compared exactly) that also gives each its position in
// the order added: an open-addressing table of positions, at most half full.
// It exists for lists of tens of thousands of codes, where a general hash
// container costs several times more per code than the rest of the work.
class ConjuntoTextos {
public:
    explicit ConjuntoTextos(size_t capacidad = 0) { rehacer(capacidad); }

    // The position of a text newly added; -1 when it was already there.
    int agregar(const QString& texto);
    // The position of a text, -1 when it is not in the set.
    int posicion(const QString& texto) const { return buscar(texto, qHash(texto)); }
    bool contiene(const QString& texto) const { return posicion(texto) >= 0; }
    int size() const { return int(textos_.size()); }
    void clear() { *this = ConjuntoTextos(); }

private:
    int buscar(const QString& texto, size_t hash) const;
    void ubicar(int posicion);
    void rehacer(size_t capacidad);

    std::vector<QString> textos_;
    std::vector<size_t> hashes_;
    std::vector<int> tabla_;   // positions, -1 free; its size a power of two
};
