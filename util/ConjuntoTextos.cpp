#include "util/ConjuntoTextos.h"

int ConjuntoTextos::buscar(const QString& texto, size_t hash) const {
    const size_t mascara = tabla_.size() - 1;
    for (size_t i = hash & mascara;; i = (i + 1) & mascara) {
        const int p = tabla_[i];
        if (p < 0) return -1;
        if (hashes_[size_t(p)] == hash && textos_[size_t(p)] == texto) return p;
    }
}

void ConjuntoTextos::ubicar(int posicion) {
    const size_t mascara = tabla_.size() - 1;
    size_t i = hashes_[size_t(posicion)] & mascara;
    while (tabla_[i] >= 0) i = (i + 1) & mascara;
    tabla_[i] = posicion;
}

void ConjuntoTextos::rehacer(size_t capacidad) {
    size_t n = 16;
    while (n < 2 * capacidad) n *= 2;
    tabla_.assign(n, -1);
    textos_.reserve(capacidad);
    hashes_.reserve(capacidad);
    for (int p = 0; p < size(); ++p) ubicar(p);
}

int ConjuntoTextos::agregar(const QString& texto) {
    const size_t h = qHash(texto);
    if (buscar(texto, h) >= 0) return -1;
    textos_.push_back(texto);
    hashes_.push_back(h);
    if (tabla_.size() < 2 * textos_.size()) rehacer(textos_.size() * 2);
    else ubicar(size() - 1);
    return size() - 1;
}
