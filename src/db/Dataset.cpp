// Datasets: rows in memory with a cursor, written back by key.
#include "db/Dataset.h"

#include "core/Errors.h"
#include "core/NumberFormat.h"
#include "core/Text.h"
#include "db/Busy.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Statement.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <regex>

namespace pelagor::db {

namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return out;
}

bool sameValue(const Value& a, const Value& b) {
    if (a.index() != b.index()) return false;
    if (auto* x = std::get_if<double>(&a)) return *x == std::get<double>(b);
    return a == b;
}

FieldType typeFromDeclared(const std::string& declared, const Value& sample) {
    std::string t = lower(declared);
    if (t.find("bigint") != std::string::npos) return FieldType::LargeInt;
    if (t.find("int") != std::string::npos) return FieldType::Integer;
    if (t.find("real") != std::string::npos || t.find("doub") != std::string::npos ||
        t.find("floa") != std::string::npos || t.find("num") != std::string::npos)
        return FieldType::Float;
    if (t.find("date") != std::string::npos) return FieldType::Date;
    if (!t.empty()) return FieldType::String;
    if (std::holds_alternative<std::int64_t>(sample)) return FieldType::LargeInt;
    if (std::holds_alternative<double>(sample)) return FieldType::Float;
    return FieldType::String;
}

constexpr std::size_t kStatementCacheLimit = 32;

} // namespace

// ---------------------------------------------------------------- FieldRef

const FieldDef& FieldRef::def() const {
    return mDataset->fieldDef(mIndex);
}

Value FieldRef::value() const {
    mDataset->checkActive();
    const auto* row = mDataset->accessRow();
    return row ? mDataset->readField(*row, mIndex) : Value{};
}

bool FieldRef::isNull() const {
    return db::isNull(value());
}

std::int64_t FieldRef::asInteger() const {
    Value v = coerce(value(), FieldType::Integer);
    return db::isNull(v) ? 0 : std::get<std::int64_t>(v);
}

double FieldRef::asFloat() const {
    Value v = coerce(value(), FieldType::Float);
    return db::isNull(v) ? 0.0 : std::get<double>(v);
}

std::string FieldRef::asString() const {
    return displayText(value());
}

void FieldRef::setValue(const Value& v) const {
    mDataset->writeField(mIndex, v);
}

// ---------------------------------------------------------------- Dataset: setup

Dataset::Dataset(Connection& connection, std::string name)
    : mConnection(connection), mName(std::move(name)) {}

Dataset::~Dataset() = default;

void Dataset::setSql(std::vector<std::string> lines) {
    mSql = std::move(lines);
}

void Dataset::setSqlLine(std::size_t index, std::string line) {
    if (index >= mSql.size())
        throw DbError("La consulta de «" + mName + "» no tiene la línea " + std::to_string(index) +
                      ".");
    mSql[index] = std::move(line);
}

void Dataset::addSql(std::string line) {
    mSql.push_back(std::move(line));
}

void Dataset::clearSql() {
    mSql.clear();
}

std::string Dataset::sqlText() const {
    std::string text;
    for (const auto& line : mSql) {
        text += line;
        text += '\n';
    }
    return text;
}

void Dataset::setParam(const std::string& name, Value value) {
    mParams[lower(name)] = std::move(value);
}

Value Dataset::param(const std::string& name) const {
    auto it = mParams.find(lower(name));
    return it == mParams.end() ? Value{} : it->second;
}

void Dataset::addField(FieldDef def) {
    mFieldByName[lower(def.name)] = static_cast<int>(mFields.size());
    mFields.push_back(std::move(def));
}

int Dataset::fieldIndex(std::string_view name) const {
    auto it = mFieldByName.find(lower(name));
    return it == mFieldByName.end() ? -1 : it->second;
}

int Dataset::requireField(std::string_view name) const {
    int i = fieldIndex(name);
    if (i < 0) throw DbError("«" + mName + "» no tiene el campo «" + std::string(name) + "».");
    return i;
}

FieldRef Dataset::fieldByName(std::string_view name) {
    return FieldRef(*this, requireField(name));
}

std::vector<Dataset*> Dataset::lookupSources() const {
    std::vector<Dataset*> out;
    for (const auto& f : mFields)
        if (f.kind == FieldKind::Lookup && f.lookupDataset &&
            std::find(out.begin(), out.end(), f.lookupDataset) == out.end())
            out.push_back(f.lookupDataset);
    return out;
}

// ---------------------------------------------------------------- life cycle

Statement& Dataset::statement(const std::string& sql) {
    if (mStatementGeneration != mConnection.generation()) {
        mStatements.clear();
        mStatementGeneration = mConnection.generation();
    }
    auto it = mStatements.find(sql);
    if (it != mStatements.end()) {
        it->second->reset();
        return *it->second;
    }
    if (mStatements.size() >= kStatementCacheLimit) mStatements.clear();
    auto stmt = std::make_unique<Statement>(mConnection, sql);
    // Preparing may have opened the connection for the first time.
    mStatementGeneration = mConnection.generation();
    auto& ref = *stmt;
    mStatements[sql] = std::move(stmt);
    return ref;
}

void Dataset::bindParams(Statement& stmt) {
    for (int i = 1; i <= stmt.parameterCount(); ++i) {
        auto it = mParams.find(lower(stmt.parameterName(i)));
        stmt.bind(i, it == mParams.end() ? Value{} : it->second);
    }
}

void Dataset::open() {
    if (isOpen()) return;
    BusyScope busy;
    mConnection.open();
    fetchRows();
    mState = State::Browse;
    mModified = false;
    rebuildVisible();
    mCur = mVisible.empty() ? -1 : 0;
    mBof = true;
    mEof = mVisible.empty();
    notify([](DatasetListener* l) { l->datasetReset(); });
}

void Dataset::fetchRows() {
    Statement& stmt = statement(sqlText());
    bindParams(stmt);
    mRows.clear();
    dropIndexes();
    // A dataset without declared fields takes its fields from the columns of each opening.
    if (mFields.empty()) mDynamicFields = true;
    const bool dynamic = mDynamicFields;
    bool haveRow = stmt.step();
    const int columns = stmt.columnCount();
    if (dynamic) {
        mFields.clear();
        mFieldByName.clear();
        for (int c = 0; c < columns; ++c) {
            std::string name = stmt.columnName(c);
            if (fieldIndex(name) >= 0) continue;
            FieldDef f;
            f.name = name;
            f.type =
                typeFromDeclared(stmt.columnDeclaredType(c), haveRow ? stmt.column(c) : Value{});
            addField(std::move(f));
        }
    }
    std::vector<int> map(static_cast<std::size_t>(columns), -1);
    std::vector<bool> found(mFields.size(), false);
    for (int c = 0; c < columns; ++c) {
        int f = fieldIndex(stmt.columnName(c));
        if (f >= 0 && mFields[static_cast<std::size_t>(f)].kind == FieldKind::Data &&
            !found[static_cast<std::size_t>(f)]) {
            map[static_cast<std::size_t>(c)] = f;
            found[static_cast<std::size_t>(f)] = true;
        }
    }
    for (std::size_t f = 0; f < mFields.size(); ++f)
        if (mFields[f].kind == FieldKind::Data && !found[f]) {
            stmt.reset();
            throw DbError("La consulta de «" + mName + "» no devuelve la columna «" +
                          mFields[f].name + "».");
        }
    try {
        while (haveRow) {
            auto row = std::make_unique<Row>();
            row->values.resize(mFields.size());
            for (int c = 0; c < columns; ++c) {
                int f = map[static_cast<std::size_t>(c)];
                if (f < 0) continue;
                Value stored = stmt.column(c);
                try {
                    row->values[static_cast<std::size_t>(f)] =
                        coerce(stored, mFields[static_cast<std::size_t>(f)].type);
                } catch (const ConversionError&) {
                    // A value written by another program in another form is kept as it is:
                    // it shows as stored, and only a use that needs its kind reports it.
                    row->values[static_cast<std::size_t>(f)] = std::move(stored);
                }
            }
            mRows.push_back(std::move(row));
            haveRow = stmt.step();
        }
    } catch (...) {
        stmt.reset();
        mRows.clear();
        throw;
    }
    stmt.reset();
}

void Dataset::close() {
    if (!isOpen()) return;
    // A pending edit is saved (or, untouched, dropped) rather than lost.
    finishEditing();
    mState = State::Inactive;
    mRows.clear();
    mVisible.clear();
    dropIndexes();
    mCur = -1;
    mBof = mEof = true;
    mModified = false;
    notify([](DatasetListener* l) { l->datasetReset(); });
}

void Dataset::execute() {
    BusyScope busy;
    Statement stmt(mConnection, sqlText());
    bindParams(stmt);
    stmt.run();
}

void Dataset::checkActive() const {
    if (!isOpen()) throw DbError("«" + mName + "» no está abierto.");
}

void Dataset::finishEditing() {
    if (!isEditing()) return;
    if (mModified)
        post();
    else
        cancel();
}

// ---------------------------------------------------------------- cursor

Dataset::Row* Dataset::currentRowPtr() const {
    if (mCur < 0 || mCur >= static_cast<int>(mVisible.size())) return nullptr;
    return mVisible[static_cast<std::size_t>(mCur)];
}

Dataset::Row* Dataset::accessRow() const {
    if (mInCalc && mCalcRow) return const_cast<Row*>(mCalcRow);
    return currentRowPtr();
}

void Dataset::setCurrent(int row, bool notifyViews) {
    mCur = row;
    if (notifyViews) notify([row](DatasetListener* l) { l->currentRowMoved(row); });
}

void Dataset::first() {
    checkActive();
    finishEditing();
    setCurrent(mVisible.empty() ? -1 : 0);
    mBof = true;
    mEof = mVisible.empty();
}

void Dataset::last() {
    checkActive();
    finishEditing();
    setCurrent(static_cast<int>(mVisible.size()) - 1);
    mBof = mVisible.empty();
    mEof = true;
}

void Dataset::next() {
    checkActive();
    finishEditing();
    if (mCur + 1 < static_cast<int>(mVisible.size())) {
        setCurrent(mCur + 1);
        mBof = false;
        mEof = false;
    } else {
        mEof = true;
    }
}

void Dataset::prior() {
    checkActive();
    finishEditing();
    if (mCur > 0) {
        setCurrent(mCur - 1);
        mBof = false;
        mEof = false;
    } else {
        mBof = true;
    }
}

int Dataset::recNo() const {
    if (mInCalc && mCalcRow) return mCalcRow->pos + 1;
    return mCur + 1;
}

void Dataset::setRecNo(int recNo) {
    checkActive();
    if (mVisible.empty()) return;
    int target = std::clamp(recNo, 1, static_cast<int>(mVisible.size())) - 1;
    if (target == mCur && isEditing()) return;
    finishEditing();
    // Saving may have moved rows (a cancelled new row disappears).
    target = std::clamp(recNo, 1, static_cast<int>(mVisible.size())) - 1;
    setCurrent(target);
    mBof = mEof = false;
}

bool Dataset::locate(const std::vector<std::string>& fields, const std::vector<Value>& values) {
    checkActive();
    finishEditing();
    if (fields.size() != values.size() || fields.empty())
        throw DbError("Búsqueda mal formada en «" + mName + "».");
    std::vector<int> idx;
    for (const auto& f : fields)
        idx.push_back(requireField(f));
    std::string key;
    try {
        key = encodeKey(idx, values);
    } catch (const ConversionError&) {
        return false; // a text that is not a number matches no numeric field
    }
    Index& index = indexFor(idx);
    auto it = index.rows.find(key);
    if (it == index.rows.end()) return false;
    Row* row = firstShown(it->second);
    if (!row) return false;
    setCurrent(row->pos);
    mBof = mEof = false;
    return true;
}

Value Dataset::lookup(const std::vector<std::string>& keyFields, const std::vector<Value>& keys,
                      const std::string& result) {
    if (!isOpen() || keyFields.size() != keys.size()) return Value{};
    std::vector<int> idx;
    for (const auto& f : keyFields)
        idx.push_back(requireField(f));
    const int resultField = requireField(result);
    std::string key;
    try {
        key = encodeKey(idx, keys);
    } catch (const ConversionError&) {
        return Value{};
    }
    Index& index = indexFor(idx);
    auto it = index.rows.find(key);
    if (it == index.rows.end()) return Value{};
    Row* row = firstShown(it->second);
    return row ? readField(*row, resultField) : Value{};
}

// ---------------------------------------------------------------- hash indexes

std::string Dataset::encodeKey(const std::vector<int>& fields, const std::vector<Value>& values,
                               bool storedValues) const {
    std::string key;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        Value v;
        try {
            v = coerce(values[i], mFields[static_cast<std::size_t>(fields[i])].type);
        } catch (const ConversionError&) {
            if (!storedValues) throw;
            v = values[i]; // a stored value of another kind matches nothing typed
            key += "X";
        }
        if (db::isNull(v)) {
            key += "N|";
        } else if (auto* n = std::get_if<std::int64_t>(&v)) {
            key += "I" + std::to_string(*n) + "|";
        } else if (auto* d = std::get_if<double>(&v)) {
            char buf[40];
            std::snprintf(buf, sizeof buf, "%.17g", *d == 0 ? 0.0 : *d);
            key += "F";
            key += buf;
            key += "|";
        } else {
            const auto& s = std::get<std::string>(v);
            key += "S" + std::to_string(s.size()) + ":" + s;
        }
    }
    return key;
}

std::string Dataset::keyOf(const Row& row, const std::vector<int>& fields) const {
    std::vector<Value> values;
    values.reserve(fields.size());
    for (int f : fields)
        values.push_back(row.values[static_cast<std::size_t>(f)]);
    return encodeKey(fields, values, true);
}

Dataset::Index& Dataset::indexFor(const std::vector<int>& fields) {
    for (auto& index : mIndexes)
        if (index->fields == fields) return *index;
    auto index = std::make_unique<Index>();
    index->fields = fields;
    index->rows.reserve(mRows.size());
    for (const auto& row : mRows) {
        if (mState == State::Insert && row.get() == currentRowPtr())
            continue; // a new row joins the indexes when it is saved
        std::string key = keyOf(*row, fields);
        index->rows[key].push_back(row.get());
        index->keyOf[row.get()] = std::move(key);
    }
    mIndexes.push_back(std::move(index));
    return *mIndexes.back();
}

void Dataset::indexAdd(Row* row) {
    for (auto& index : mIndexes) {
        std::string key = keyOf(*row, index->fields);
        index->rows[key].push_back(row);
        index->keyOf[row] = std::move(key);
    }
}

void Dataset::indexRemove(Row* row) {
    for (auto& index : mIndexes) {
        auto k = index->keyOf.find(row);
        if (k == index->keyOf.end()) continue;
        auto it = index->rows.find(k->second);
        if (it != index->rows.end()) {
            auto& list = it->second;
            list.erase(std::remove(list.begin(), list.end(), row), list.end());
            if (list.empty()) index->rows.erase(it);
        }
        index->keyOf.erase(k);
    }
}

Dataset::Row* Dataset::firstShown(const std::vector<Row*>& candidates) const {
    Row* best = nullptr;
    for (Row* r : candidates)
        if (r->pos >= 0 && (!best || r->pos < best->pos)) best = r;
    return best;
}

// ---------------------------------------------------------------- filter

void Dataset::parseFilter() {
    mFilterField = -1;
    mFilterPattern.clear();
    if (trim(mFilter).empty()) return;
    static const std::regex re(R"(^\s*(\w+)\s+like\s+'((?:[^']|'')*)'\s*$)", std::regex::icase);
    std::smatch m;
    if (!std::regex_match(mFilter, m, re))
        throw DbError("Filtro no válido en «" + mName + "»: " + mFilter);
    mFilterField = requireField(m[1].str());
    std::string pattern = m[2].str();
    for (std::size_t p = pattern.find("''"); p != std::string::npos; p = pattern.find("''", p + 1))
        pattern.erase(p, 1);
    mFilterPattern = pattern;
}

bool Dataset::passesFilter(const Row& row) const {
    if (!mFiltered || mFilterField < 0) return true;
    return likeMatch(displayText(readField(row, mFilterField)), mFilterPattern);
}

void Dataset::setFilter(std::string expression) {
    if (isOpen()) finishEditing();
    std::string previous = mFilter;
    mFilter = std::move(expression);
    try {
        parseFilter();
    } catch (...) {
        mFilter = previous;
        parseFilter();
        throw;
    }
    if (isOpen() && mFiltered) {
        rebuildVisible();
        notify([](DatasetListener* l) { l->datasetReset(); });
    }
}

void Dataset::setFiltered(bool on) {
    if (on == mFiltered) return;
    if (isOpen()) finishEditing();
    mFiltered = on;
    if (isOpen()) {
        rebuildVisible();
        notify([](DatasetListener* l) { l->datasetReset(); });
    }
}

void Dataset::rebuildVisible() {
    Row* current = currentRowPtr();
    mVisible.clear();
    mVisible.reserve(mRows.size());
    for (const auto& row : mRows) {
        if (passesFilter(*row)) {
            row->pos = static_cast<int>(mVisible.size());
            mVisible.push_back(row.get());
        } else {
            row->pos = -1;
        }
    }
    if (current && current->pos >= 0)
        mCur = current->pos;
    else
        mCur = mVisible.empty() ? -1 : 0;
    mBof = true;
    mEof = mVisible.empty();
}

void Dataset::renumberFrom(std::size_t visiblePos) {
    for (std::size_t i = visiblePos; i < mVisible.size(); ++i)
        mVisible[i]->pos = static_cast<int>(i);
}

// ---------------------------------------------------------------- field access

Value Dataset::readField(const Row& row, int field) const {
    const FieldDef& f = mFields[static_cast<std::size_t>(field)];
    switch (f.kind) {
    case FieldKind::Data:
        return row.values[static_cast<std::size_t>(field)];
    case FieldKind::Lookup: {
        if (!f.lookupDataset) return Value{};
        std::vector<Value> keys;
        for (const auto& k : f.keyFields)
            keys.push_back(readField(row, requireField(k)));
        return f.lookupDataset->lookup(f.lookupKeyFields, keys, f.lookupResultField);
    }
    case FieldKind::Calculated: {
        auto& slots = const_cast<Row&>(row).values;
        if (mInCalc && mCalcRow == &row) return slots[static_cast<std::size_t>(field)];
        for (std::size_t i = 0; i < mFields.size(); ++i)
            if (mFields[i].kind == FieldKind::Calculated) slots[i] = Value{};
        if (onCalcFields) {
            // The event reads and writes the row being calculated; restore afterwards.
            struct Restore {
                const Row*& row;
                bool& flag;
                const Row* savedRow;
                bool savedFlag;
                ~Restore() {
                    row = savedRow;
                    flag = savedFlag;
                }
            } restore{mCalcRow, mInCalc, mCalcRow, mInCalc};
            mCalcRow = &row;
            mInCalc = true;
            onCalcFields(const_cast<Dataset&>(*this));
        }
        return slots[static_cast<std::size_t>(field)];
    }
    }
    return Value{};
}

void Dataset::writeField(int field, const Value& v) {
    checkActive();
    const FieldDef& f = mFields[static_cast<std::size_t>(field)];
    if (mInCalc && mCalcRow) {
        if (f.kind != FieldKind::Calculated)
            throw DbError("Al calcular «" + mName + "» solo se pueden escribir campos calculados.");
        const_cast<Row*>(mCalcRow)->values[static_cast<std::size_t>(field)] = coerce(v, f.type);
        return;
    }
    if (f.kind != FieldKind::Data)
        throw DbError("El campo «" + f.name + "» no se puede modificar.");
    if (!isEditing())
        throw DbError("«" + mName + "» no está en edición: no se puede cambiar «" + f.name + "».");
    Value typed = coerce(v, f.type);
    if (auto* s = std::get_if<std::string>(&typed);
        s && f.type == FieldType::String && !f.key && f.width > 0 &&
        utf8Length(*s) > static_cast<std::size_t>(f.width))
        typed = utf8Left(*s, static_cast<std::size_t>(f.width));
    Row* row = currentRowPtr();
    row->values[static_cast<std::size_t>(field)] = std::move(typed);
    mModified = true;
    const int pos = mCur;
    notify([pos](DatasetListener* l) { l->rowChanged(pos); });
}

Value Dataset::value(std::string_view field) const {
    checkActive();
    const int f = requireField(field);
    const Row* row = accessRow();
    return row ? readField(*row, f) : Value{};
}

void Dataset::setValue(std::string_view field, const Value& v) {
    writeField(requireField(field), v);
}

std::int64_t Dataset::asInteger(std::string_view field) const {
    Value v = coerce(value(field), FieldType::Integer);
    return db::isNull(v) ? 0 : std::get<std::int64_t>(v);
}

double Dataset::asFloat(std::string_view field) const {
    Value v = coerce(value(field), FieldType::Float);
    return db::isNull(v) ? 0.0 : std::get<double>(v);
}

std::string Dataset::asString(std::string_view field) const {
    return displayText(value(field));
}

Value Dataset::valueAt(int row, int field) const {
    if (row < 0 || row >= static_cast<int>(mVisible.size())) return Value{};
    return readField(*mVisible[static_cast<std::size_t>(row)], field);
}

// ---------------------------------------------------------------- editing

void Dataset::insert() {
    checkActive();
    finishEditing();
    beginNewRow(false);
}

void Dataset::append() {
    checkActive();
    finishEditing();
    beginNewRow(true);
}

void Dataset::beginNewRow(bool atEnd) {
    auto row = std::make_unique<Row>();
    row->values.resize(mFields.size());
    Row* raw = row.get();
    std::size_t visiblePos = mVisible.size();
    if (!atEnd && mCur >= 0) {
        visiblePos = static_cast<std::size_t>(mCur);
        Row* before = mVisible[visiblePos];
        auto it = std::find_if(mRows.begin(), mRows.end(),
                               [before](const auto& r) { return r.get() == before; });
        mRows.insert(it, std::move(row));
        mCurBeforeInsert = mCur; // the row that was current comes back to this position
    } else {
        mRows.push_back(std::move(row));
        mCurBeforeInsert = mCur;
    }
    mVisible.insert(mVisible.begin() + static_cast<std::ptrdiff_t>(visiblePos), raw);
    renumberFrom(visiblePos);
    mState = State::Insert;
    mModified = false;
    mBof = mEof = false;
    const int pos = static_cast<int>(visiblePos);
    notify([pos](DatasetListener* l) { l->rowInserted(pos); });
    setCurrent(pos);
    try {
        if (onNewRecord) onNewRecord(*this);
    } catch (...) {
        cancel();
        throw;
    }
    mModified = false;
    notify([](DatasetListener* l) { l->stateChanged(); });
}

void Dataset::edit() {
    checkActive();
    if (isEditing()) return;
    if (mVisible.empty() || !currentRowPtr()) {
        append();
        return;
    }
    mBackup = currentRowPtr()->values;
    mState = State::Edit;
    mModified = false;
    notify([](DatasetListener* l) { l->stateChanged(); });
}

void Dataset::checkBeforeWrite(const Row& row) const {
    for (std::size_t i = 0; i < mFields.size(); ++i) {
        const FieldDef& f = mFields[i];
        if (f.kind != FieldKind::Data) continue;
        const Value& v = row.values[i];
        const auto* s = std::get_if<std::string>(&v);
        if (f.required && !f.autoIncrement && (db::isNull(v) || (s && s->empty()))) {
            const std::string named =
                f.label.empty() ? "«" + f.name + "»" : "«" + f.label + "» (" + f.name + ")";
            throw DbError("El campo " + named + " debe tener un valor.");
        }
        if (f.key && s && f.width > 0 && utf8Length(*s) > static_cast<std::size_t>(f.width))
            throw DbError("El valor «" + *s + "» del campo «" + f.name +
                          "» es demasiado largo: admite " + std::to_string(f.width) +
                          " caracteres como máximo.");
    }
}

void Dataset::post() {
    checkActive();
    if (!isEditing()) return;
    BusyScope busy;
    if (beforePost) beforePost(*this);
    if (!isEditing()) return; // the rule cancelled the edit
    Row* row = currentRowPtr();
    checkBeforeWrite(*row);
    if (mUpdateTable.empty()) throw DbError("«" + mName + "» es de solo lectura.");
    try {
        if (mState == State::Insert)
            writeInsert(*row);
        else
            writeUpdate(*row);
    } catch (const DbError& e) {
        raiseWriteError(e);
    }
    if (mState == State::Edit) indexRemove(row);
    indexAdd(row);
    mState = State::Browse;
    mBackup.clear();
    mModified = false;
    const int pos = mCur;
    notify([pos](DatasetListener* l) {
        l->rowChanged(pos);
        l->stateChanged();
    });
    if (afterPost) afterPost(*this);
}

void Dataset::raiseWriteError(const std::exception& e) {
    const auto* dbe = dynamic_cast<const DbError*>(&e);
    const int code = dbe ? dbe->code() : 0;
    constexpr int kPrimaryKey = 1555; // SQLITE_CONSTRAINT_PRIMARYKEY
    constexpr int kUnique = 2067;     // SQLITE_CONSTRAINT_UNIQUE
    if ((code == kPrimaryKey || code == kUnique) && duplicateKeyMessage)
        throw DbError(duplicateKeyMessage(*this), code, dbe->detail());
    if (dbe) throw *dbe;
    throw DbError(e.what());
}

void Dataset::writeInsert(Row& row) {
    std::string cols, marks;
    std::vector<Value> values;
    for (std::size_t i = 0; i < mFields.size(); ++i) {
        const FieldDef& f = mFields[i];
        if (f.kind != FieldKind::Data || db::isNull(row.values[i]))
            continue; // unset columns take the table's defaults
        if (!cols.empty()) {
            cols += ", ";
            marks += ", ";
        }
        cols += f.name;
        marks += "?";
        values.push_back(row.values[i]);
    }
    const std::string sql =
        cols.empty() ? "INSERT INTO " + mUpdateTable + " DEFAULT VALUES"
                     : "INSERT INTO " + mUpdateTable + " (" + cols + ") VALUES (" + marks + ")";
    Statement& stmt = statement(sql);
    for (std::size_t i = 0; i < values.size(); ++i)
        stmt.bind(static_cast<int>(i + 1), values[i]);
    stmt.run();
    refreshRow(row, mConnection.lastInsertRowId());
}

void Dataset::refreshRow(Row& row, std::int64_t rowid) {
    std::string cols;
    std::vector<std::size_t> fields;
    for (std::size_t i = 0; i < mFields.size(); ++i) {
        if (mFields[i].kind != FieldKind::Data) continue;
        cols += (cols.empty() ? "" : ", ") + mFields[i].name;
        fields.push_back(i);
    }
    Statement& stmt = statement("SELECT " + cols + " FROM " + mUpdateTable + " WHERE rowid = ?");
    stmt.bind(1, Value{rowid});
    if (stmt.step())
        for (std::size_t c = 0; c < fields.size(); ++c)
            row.values[fields[c]] =
                coerce(stmt.column(static_cast<int>(c)), mFields[fields[c]].type);
    stmt.reset();
}

void Dataset::writeUpdate(Row& row) {
    std::string sets, where;
    std::vector<Value> values, keys;
    for (std::size_t i = 0; i < mFields.size(); ++i) {
        const FieldDef& f = mFields[i];
        if (f.kind != FieldKind::Data) continue;
        if (f.key) {
            where += (where.empty() ? "" : " AND ") + f.name + " IS ?";
            keys.push_back(mBackup[i]);
        }
        if (!sameValue(row.values[i], mBackup[i])) {
            sets += (sets.empty() ? "" : ", ") + f.name + " = ?";
            values.push_back(row.values[i]);
        }
    }
    if (sets.empty()) return;
    if (where.empty()) throw DbError("«" + mName + "» no tiene campos clave: no se puede guardar.");
    Statement& stmt = statement("UPDATE " + mUpdateTable + " SET " + sets + " WHERE " + where);
    int n = 1;
    for (const auto& v : values)
        stmt.bind(n++, v);
    for (const auto& v : keys)
        stmt.bind(n++, v);
    stmt.run();
    if (mConnection.changes() == 0)
        throw DbError(
            "No se ha encontrado en la base de datos el registro que se quería guardar en «" +
            mUpdateTable + "»: puede que se haya borrado. Vuelva a abrir la lista.");
}

void Dataset::cancel() {
    if (!isEditing()) return;
    const int pos = mCur;
    if (mState == State::Insert) {
        Row* row = currentRowPtr();
        mVisible.erase(mVisible.begin() + pos);
        renumberFrom(static_cast<std::size_t>(pos));
        indexRemove(row);
        mRows.erase(std::find_if(mRows.begin(), mRows.end(),
                                 [row](const auto& r) { return r.get() == row; }));
        mState = State::Browse;
        mModified = false;
        notify([pos](DatasetListener* l) { l->rowRemoved(pos); });
        int back = std::min(mCurBeforeInsert, static_cast<int>(mVisible.size()) - 1);
        setCurrent(mVisible.empty() ? -1 : std::max(back, 0));
        mEof = mVisible.empty();
    } else {
        currentRowPtr()->values = mBackup;
        mBackup.clear();
        mState = State::Browse;
        mModified = false;
        notify([pos](DatasetListener* l) { l->rowChanged(pos); });
    }
    notify([](DatasetListener* l) { l->stateChanged(); });
}

void Dataset::remove() {
    checkActive();
    if (mState == State::Insert) {
        cancel();
        return;
    }
    if (mState == State::Edit) cancel();
    Row* row = currentRowPtr();
    if (!row) throw DbError("No hay ningún registro que borrar en «" + mName + "».");
    if (mUpdateTable.empty()) throw DbError("«" + mName + "» es de solo lectura.");
    BusyScope busy;
    {
        // The rule's own deletions and the row itself go together or not at all.
        Transaction tx(mConnection);
        if (beforeDelete) beforeDelete(*this);
        std::string where;
        std::vector<Value> keys;
        for (std::size_t i = 0; i < mFields.size(); ++i)
            if (mFields[i].kind == FieldKind::Data && mFields[i].key) {
                where += (where.empty() ? "" : " AND ") + mFields[i].name + " IS ?";
                keys.push_back(row->values[i]);
            }
        if (where.empty())
            throw DbError("«" + mName + "» no tiene campos clave: no se puede borrar.");
        Statement& stmt = statement("DELETE FROM " + mUpdateTable + " WHERE " + where);
        for (std::size_t i = 0; i < keys.size(); ++i)
            stmt.bind(static_cast<int>(i + 1), keys[i]);
        stmt.run();
        tx.commit();
    }
    const int pos = row->pos;
    indexRemove(row);
    if (pos >= 0) {
        mVisible.erase(mVisible.begin() + pos);
        renumberFrom(static_cast<std::size_t>(pos));
    }
    mRows.erase(
        std::find_if(mRows.begin(), mRows.end(), [row](const auto& r) { return r.get() == row; }));
    notify([pos](DatasetListener* l) { l->rowRemoved(pos); });
    setCurrent(mVisible.empty() ? -1 : std::min(pos, static_cast<int>(mVisible.size()) - 1));
    mBof = false;
    mEof = mVisible.empty();
}

// ---------------------------------------------------------------- views

template <typename F> void Dataset::notify(F&& f) {
    if (mSuspended > 0) {
        mPendingReset = true;
        return;
    }
    auto listeners = mListeners;
    for (auto* l : listeners)
        f(l);
}

void Dataset::addListener(DatasetListener* listener) {
    if (std::find(mListeners.begin(), mListeners.end(), listener) == mListeners.end())
        mListeners.push_back(listener);
}

void Dataset::removeListener(DatasetListener* listener) {
    mListeners.erase(std::remove(mListeners.begin(), mListeners.end(), listener), mListeners.end());
}

void Dataset::disableControls() {
    ++mSuspended;
}

void Dataset::enableControls() {
    if (mSuspended == 0) return;
    if (--mSuspended == 0) {
        mPendingReset = false;
        notify([](DatasetListener* l) { l->datasetReset(); });
    }
}

} // namespace pelagor::db
