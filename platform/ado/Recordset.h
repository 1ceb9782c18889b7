#pragma once
#include "platform/ado/Backend.h"
#include "platform/ado/Connection.h"
#include <QHash>
#include <memory>

namespace ado {

class Recordset;

// A field of the current row, as ADO's Field: read and written by value.
class Field {
public:
    QString Name() const;
    Variant Value() const;
    void setValue(const Variant& v);
    Variant OriginalValue() const;
    int Type() const;
    long DefinedSize() const;

private:
    friend class Recordset;
    Field(Recordset* rs, int index) : rs_(rs), index_(index) {}
    Recordset* rs_;
    int index_;
};

// The stand-in for ADO's Recordset. Rows are read into memory when it opens
// (ADO's client-side cursor); a single-table SELECT opened with a lock type
// other than read-only can add, change and delete rows, each written at once
// with optimistic checking: an update or delete that finds its row changed or
// gone fails instead of writing over another user's work.
class Recordset {
public:
    Recordset() = default;

    int CursorType = ad::OpenForwardOnly;
    int LockType = ad::LockReadOnly;

    void Open(const QString& source, Connection* connection, int cursorType = -1, int lockType = -1, int options = -1);
    void Close();
    int State() const { return open_ ? ad::StateOpen : ad::StateClosed; }
    QString Source() const { return source_; }
    Connection* ActiveConnection() const { return conn_; }

    bool Bof() const;
    bool Eof() const;
    void MoveFirst();
    void MoveNext();
    void MoveLast();
    void MovePrevious();
    long RecordCount() const;

    int FieldCount() const;
    Field Fields(const QString& name);
    Field Fields(int index);
    // Shorthand for Fields(name).Value().
    Variant operator[](const QString& name) { return Fields(name).Value(); }
    // The current row's value of a column (0-based) as stored, without the
    // copies of Fields(i).Value(): for loops over every row of a large read.
    // Only while the row is current and not being edited.
    const Variant& Celda(int columna) const;

    void AddNew();
    void Update();
    void CancelUpdate();
    void Delete();
    int EditMode() const { return editMode_; }

    // The rows read, shared without a copy with whoever keeps them after the
    // recordset closes (a lookup's list); a change made through the recordset
    // afterwards goes to a copy of its own.
    std::shared_ptr<const ResultSet> Datos() const { return data_; }

    // Fills an open recordset from rows already fetched (schema queries).
    void assign(ResultSet rs, Connection* conn, const QString& source);

private:
    friend class Field;
    void requireOpen() const;
    void requireCurrent() const;
    void requireUpdatable() const;
    void requireBackward() const;
    int indexOf(const QString& name) const;
    void detach();
    QString table() const;
    QString whereForRow(const std::vector<Variant>& original, const std::vector<bool>& compare,
                        const QStringList& keys) const;

    bool open_ = false;
    Connection* conn_ = nullptr;
    QString source_;
    std::shared_ptr<ResultSet> data_;
    // Built at the first lookup by name: most reads go by position, and the
    // index cost more than a short read.
    mutable QHash<QString, int> names_;
    mutable bool namesBuilt_ = false;
    long pos_ = 0;
    bool currentDeleted_ = false;
    int editMode_ = ad::EditNone;
    std::vector<Variant> buffer_;
    std::vector<bool> changed_;
    long posBeforeAdd_ = 0;
};

} // namespace ado
