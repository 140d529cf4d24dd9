// A dataset: an SQL query with named parameters whose rows are held in memory with a cursor,
// edited record by record and written back by key, with record events, looked-up and
// calculated fields, a case-insensitive filter and views that follow it.
#pragma once

#include "db/Field.h"
#include "db/Value.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pelagor::db {

class Connection;
class Dataset;
class Statement;

// What a view (a grid model, a navigator) hears of a dataset. Rows are 0-based positions among
// the rows the dataset shows (after its filter).
class DatasetListener {
public:
    virtual ~DatasetListener() = default;
    // Opened, closed, reloaded, filtered, or resumed after a suspension: read everything again.
    virtual void datasetReset() {}
    virtual void rowChanged(int /*row*/) {}
    virtual void rowInserted(int /*row*/) {}
    virtual void rowRemoved(int /*row*/) {}
    virtual void currentRowMoved(int /*row*/) {}
    virtual void stateChanged() {}
};

class Dataset;

// One field of a dataset, read and written on the current row (or on the row whose calculated
// fields are being filled).
class FieldRef {
public:
    FieldRef(Dataset& dataset, int index) : mDataset(&dataset), mIndex(index) {}
    const FieldDef& def() const;
    int index() const { return mIndex; }

    Value value() const;
    bool isNull() const;
    std::int64_t asInteger() const;
    std::int64_t asLargeInt() const { return asInteger(); }
    double asFloat() const;
    std::string asString() const;

    void setValue(const Value& v) const;
    void setAsInteger(std::int64_t v) const { setValue(Value{v}); }
    void setAsLargeInt(std::int64_t v) const { setValue(Value{v}); }
    void setAsFloat(double v) const { setValue(Value{v}); }
    void setAsString(std::string_view v) const { setValue(Value{std::string(v)}); }
    void clear() const { setValue(Value{}); }

private:
    Dataset* mDataset;
    int mIndex;
};

class Dataset {
public:
    enum class State { Inactive, Browse, Edit, Insert };
    using Event = std::function<void(Dataset&)>;

    Dataset(Connection& connection, std::string name);
    ~Dataset();
    Dataset(const Dataset&) = delete;
    Dataset& operator=(const Dataset&) = delete;

    const std::string& name() const { return mName; }
    Connection& connection() const { return mConnection; }

    // --- SQL text and parameters
    void setSql(std::vector<std::string> lines);
    const std::vector<std::string>& sql() const { return mSql; }
    void setSqlLine(std::size_t index, std::string line);
    void addSql(std::string line);
    void clearSql();
    std::string sqlText() const;
    void setParam(const std::string& name, Value value);
    Value param(const std::string& name) const;
    // The table that edited rows are written to; a dataset without one is read-only.
    void setUpdateTable(std::string table) { mUpdateTable = std::move(table); }
    const std::string& updateTable() const { return mUpdateTable; }

    // --- fields
    void addField(FieldDef def);
    int fieldCount() const { return static_cast<int>(mFields.size()); }
    const FieldDef& fieldDef(int index) const {
        return mFields.at(static_cast<std::size_t>(index));
    }
    // -1 when the dataset has no such field (names are compared without regard to case).
    int fieldIndex(std::string_view name) const;
    // Raises a DbError naming the field when there is none.
    FieldRef fieldByName(std::string_view name);

    // --- life cycle
    void open();
    void close();
    bool isOpen() const { return mState != State::Inactive; }
    State state() const { return mState; }
    bool isEditing() const { return mState == State::Edit || mState == State::Insert; }
    // Runs the SQL text as a statement without rows (with the parameters bound).
    void execute();

    // --- cursor
    void first();
    void last();
    void next();
    void prior();
    bool eof() const { return mEof; }
    bool bof() const { return mBof; }
    bool isEmpty() const { return mVisible.empty(); }
    int recordCount() const { return static_cast<int>(mVisible.size()); }
    // 1-based position of the current row among the shown rows (0 when there is none); while
    // calculated fields are filled, the position of the row being calculated.
    int recNo() const;
    void setRecNo(int recNo);
    // Makes current the first shown row whose fields equal the values (exact match).
    bool locate(const std::vector<std::string>& fields, const std::vector<Value>& values);
    bool locate(const std::string& field, const Value& value) {
        return locate(std::vector<std::string>{field}, std::vector<Value>{value});
    }

    // --- editing
    void insert(); // a new row before the current one
    void append(); // a new row at the end
    void edit();
    void post();
    void cancel();
    void remove();
    // Saves a pending edit that holds changes and drops an untouched one; moving the cursor,
    // locating and closing do this first.
    void finishEditing();
    // True once a value has been set since the edit began (values set by the new-record
    // event do not count).
    bool isModified() const { return mModified; }

    // --- field access on the current row
    Value value(std::string_view field) const;
    void setValue(std::string_view field, const Value& v);
    bool isNull(std::string_view field) const { return db::isNull(value(field)); }
    std::int64_t asInteger(std::string_view field) const;
    double asFloat(std::string_view field) const;
    std::string asString(std::string_view field) const;

    // --- access by position, for views
    Value valueAt(int row, int field) const;
    int currentRow() const { return mCur; }

    // --- filter: "<field> like '<pattern>'", compared without regard to letter case
    void setFilter(std::string expression);
    const std::string& filter() const { return mFilter; }
    void setFiltered(bool on);
    bool filtered() const { return mFiltered; }

    // --- looked-up values without moving the cursor: the `result` field of the first shown
    // row whose `keyFields` equal `keys`, empty when there is none or the dataset is closed.
    Value lookup(const std::vector<std::string>& keyFields, const std::vector<Value>& keys,
                 const std::string& result);

    // --- events
    Event onNewRecord;
    Event beforePost;
    Event afterPost;
    Event beforeDelete;
    Event onCalcFields;
    // Readable message for a save refused because the key already exists.
    std::function<std::string(Dataset&)> duplicateKeyMessage;

    // --- views
    void addListener(DatasetListener* listener);
    void removeListener(DatasetListener* listener);
    // While suspended, views hear nothing; when the last suspension ends they are reset.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return mSuspended > 0; }
    // Datasets whose rows feed this one's looked-up fields.
    std::vector<Dataset*> lookupSources() const;

private:
    friend class FieldRef;
    struct Row {
        std::vector<Value> values; // one slot per field; calculated slots filled on reading
        int pos = -1;              // position among the shown rows, -1 when hidden
    };
    struct Index {
        std::vector<int> fields;
        std::unordered_map<std::string, std::vector<Row*>> rows;
        std::unordered_map<const Row*, std::string> keyOf;
    };

    int requireField(std::string_view name) const;
    Row* currentRowPtr() const;
    Row* accessRow() const;
    Value readField(const Row& row, int field) const;
    void writeField(int field, const Value& v);
    void checkActive() const;
    void beginNewRow(bool atEnd);
    void rebuildVisible();
    void renumberFrom(std::size_t visiblePos);
    void setCurrent(int row, bool notify = true);
    void fetchRows();
    void bindParams(Statement& stmt);
    Statement& statement(const std::string& sql);
    void writeInsert(Row& row);
    void writeUpdate(Row& row);
    void checkBeforeWrite(const Row& row) const;
    [[noreturn]] void raiseWriteError(const std::exception& e);
    void refreshRow(Row& row, std::int64_t rowid);

    Index& indexFor(const std::vector<int>& fields);
    std::string keyOf(const Row& row, const std::vector<int>& fields) const;
    std::string encodeKey(const std::vector<int>& fields, const std::vector<Value>& values,
                          bool storedValues = false) const;
    void indexAdd(Row* row);
    void indexRemove(Row* row);
    void dropIndexes() { mIndexes.clear(); }
    Row* firstShown(const std::vector<Row*>& candidates) const;
    bool passesFilter(const Row& row) const;
    void parseFilter();

    template <typename F> void notify(F&& f);

    Connection& mConnection;
    std::string mName;
    std::vector<std::string> mSql;
    std::map<std::string, Value> mParams; // names in lower case
    std::string mUpdateTable;
    std::vector<FieldDef> mFields;
    bool mDynamicFields = false; // fields taken from the columns of each opening
    std::unordered_map<std::string, int> mFieldByName; // lower-case name -> index

    State mState = State::Inactive;
    std::vector<std::unique_ptr<Row>> mRows; // dataset order
    std::vector<Row*> mVisible;              // shown rows (after the filter)
    int mCur = -1;
    bool mEof = true;
    bool mBof = true;
    bool mModified = false;
    std::vector<Value> mBackup; // values of the edited row before the edit
    int mCurBeforeInsert = -1;
    mutable const Row* mCalcRow = nullptr;
    mutable bool mInCalc = false;

    std::string mFilter;
    bool mFiltered = false;
    int mFilterField = -1;
    std::string mFilterPattern;

    std::vector<std::unique_ptr<Index>> mIndexes;
    std::unordered_map<std::string, std::unique_ptr<Statement>> mStatements;
    std::uint64_t mStatementGeneration = 0;

    std::vector<DatasetListener*> mListeners;
    int mSuspended = 0;
    bool mPendingReset = false;
};

// Suspends the views of a dataset for the life of the guard.
class ControlsDisabled {
public:
    explicit ControlsDisabled(Dataset& dataset) : mDataset(dataset) { mDataset.disableControls(); }
    ~ControlsDisabled() { mDataset.enableControls(); }
    ControlsDisabled(const ControlsDisabled&) = delete;
    ControlsDisabled& operator=(const ControlsDisabled&) = delete;

private:
    Dataset& mDataset;
};

} // namespace pelagor::db
