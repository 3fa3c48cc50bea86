#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace dbfquery::app {

// One named query: the four wizard lines, the auto-build flag, the folder and
// the whole SQL text (lines each followed by CR LF).
struct TQueryEntry {
    QString Name;
    QString Select;
    QString From;
    QString Where;
    QString OrderBy;
    bool IsAuto = false;
    QString Path;
    QString Text;
};

// The named-query base `ClnQuorvel`: entries ordered by name without regard
// to case (equal names keep the order they were stored in), with a current
// entry. Values longer than their fields are cut when stored. The file is an
// SQLite database written whole in one transaction and renamed into place.
// GUI thread only.
class TQueryBase {
public:
    static constexpr int NameSize = 200;
    static constexpr int ListSize = 255; // Select, From, Where, OrderBy
    static constexpr int PathSize = 200;

    // A damaged or foreign file: not an SQLite database, or one without the
    // entries table.
    class DataError : public std::exception {
    public:
        explicit DataError(QString message) : m_message(std::move(message)) {}
        const QString& message() const noexcept { return m_message; }
        const char* what() const noexcept override { return "query base data error"; }

    private:
        QString m_message;
    };

    // Empty and open.
    void reset();
    bool isOpen() const { return m_open; }
    void close();

    int count() const { return static_cast<int>(m_entries.size()); }
    const TQueryEntry& entry(int index) const { return m_entries[static_cast<size_t>(index)]; }
    QStringList names() const;

    // -1 when the base is empty.
    int current() const { return m_current; }
    void setCurrent(int index);
    // The current entry, or an empty one (empty strings, false) when none.
    TQueryEntry currentEntry() const;

    // The entry whose whole name equals `name` ignoring case, or -1.
    int findName(const QString& name) const;
    // The first entry in order whose name begins with `prefix` ignoring case, or -1.
    int findPrefix(const QString& prefix) const;

    // Stores `entry` in place of the entry `replacing` (or appends it when -1),
    // cut to the field sizes, at its place in name order; it becomes current.
    void store(TQueryEntry entry, int replacing);
    void remove(int index);

    // Throws support::UserError when the file cannot be written.
    void saveToFile(const QString& fileName) const;
    // Replaces the entries with the file's. Throws DataError for a damaged or
    // foreign file, support::UserError when it cannot be opened at all; the
    // base is then closed.
    void loadFromFile(const QString& fileName);

private:
    void placeInOrder(TQueryEntry entry);

    std::vector<TQueryEntry> m_entries;
    int m_current = -1;
    bool m_open = false;
};

} // namespace dbfquery::app
