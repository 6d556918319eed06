#pragma once
#include <initializer_list>
#include <iterator>
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// A directory listing: line 0 the heading (start directory), then per entry k an entry
// line (nesting level as leading spaces, then the name) at 2k+1 and a comment at 2k+2.
// Either empty or 1 + 2n lines.
//
// A listing of a large drive holds millions of lines, so they are kept as one UTF-8 text
// and the end of every line in it (about 4 bytes per line besides the letters) instead of a
// QString each (24 bytes per line, plus a block of their own for every one that is not
// empty). Copies share both until one of them is changed, as QStringList copies do. A line
// is handed out as a QString made when asked for, or as a view into a reused buffer while
// walking all lines.
class DirectoryListing {
public:
    // operator[] of a listing that may be changed: reads as the line, takes an assignment.
    class LineRef {
    public:
        LineRef& operator=(const QString& line) {
            listing_.replace(i_, line);
            return *this;
        }
        operator QString() const { return listing_.at(i_); }

    private:
        friend class DirectoryListing;
        LineRef(DirectoryListing& listing, qsizetype i) : listing_(listing), i_(i) {}
        DirectoryListing& listing_;
        qsizetype i_;
    };

    class const_iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = QString;
        using difference_type = qsizetype;
        using pointer = void;
        using reference = QString;
        QString operator*() const { return listing_->at(i_); }
        const_iterator& operator++() {
            ++i_;
            return *this;
        }
        bool operator==(const const_iterator& o) const { return i_ == o.i_; }
        bool operator!=(const const_iterator& o) const { return i_ != o.i_; }

    private:
        friend class DirectoryListing;
        const_iterator(const DirectoryListing* listing, qsizetype i) : listing_(listing), i_(i) {}
        const DirectoryListing* listing_;
        qsizetype i_;
    };

    DirectoryListing() = default;
    DirectoryListing(std::initializer_list<QString> lines);
    DirectoryListing(const QStringList& lines);
    DirectoryListing(qsizetype n, const QString& line);

    qsizetype size() const { return ends_.size(); }
    bool isEmpty() const { return ends_.isEmpty(); }
    QString at(qsizetype i) const;
    QString operator[](qsizetype i) const { return at(i); }
    LineRef operator[](qsizetype i) { return LineRef(*this, i); }
    QString first() const { return at(0); }
    // The line as stored.
    QByteArrayView utf8At(qsizetype i) const {
        const qsizetype start = i == 0 ? 0 : ends_[i - 1];
        return QByteArrayView(text_.constData() + start, ends_[i] - start);
    }
    // Calls f(QStringView) with every line in order; the view is valid during the call only.
    template <typename F> void forEachLine(F&& f) const {
        QString buffer;
        for (qsizetype i = 0; i < size(); ++i)
            f(QStringView(decodeInto(buffer, i)));
    }

    void append(QStringView line);
    // Appends all lines of other.
    void append(const DirectoryListing& other);
    DirectoryListing& operator<<(QStringView line) {
        append(line);
        return *this;
    }
    void replace(qsizetype i, QStringView line);
    // Removes n lines from line i on.
    void remove(qsizetype i, qsizetype n = 1);
    void reserve(qsizetype lines) { ends_.reserve(lines); }
    void clear();

    QStringList toStringList() const;
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    friend bool operator==(const DirectoryListing& a, const DirectoryListing& b);
    friend bool operator!=(const DirectoryListing& a, const DirectoryListing& b) {
        return !(a == b);
    }

private:
    // The line i decoded into buffer, whose capacity is reused from line to line.
    const QString& decodeInto(QString& buffer, qsizetype i) const;
    // Appends the UTF-8 form of line to text_; throws std::length_error beyond 4 GiB.
    void appendText(QStringView line);

    QByteArray text_;     // every line in UTF-8, one after the other
    QList<quint32> ends_; // where each line ends in text_
};

// The 1-based level of an entry line: position of the first non-space character, scanning
// no further than the last character (spaces only: its length; empty line: 1).
int EntryIndentLevel(const QString& line);
