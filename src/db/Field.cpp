// Field declarations.
#include "db/Field.h"

#include "core/Text.h"

namespace pelagor::db {

namespace {
FieldDef make(std::string name, FieldType type, int width = 0) {
    FieldDef f;
    f.name = std::move(name);
    f.type = type;
    f.width = width;
    return f;
}
} // namespace

FieldDef FieldDef::integer(std::string name) {
    return make(std::move(name), FieldType::Integer);
}
FieldDef FieldDef::largeInt(std::string name) {
    return make(std::move(name), FieldType::LargeInt);
}
FieldDef FieldDef::floating(std::string name) {
    return make(std::move(name), FieldType::Float);
}
FieldDef FieldDef::string(std::string name, int width) {
    return make(std::move(name), FieldType::String, width);
}
FieldDef FieldDef::date(std::string name) {
    return make(std::move(name), FieldType::Date);
}

FieldDef FieldDef::lookup(std::string name, int width, Dataset& source, const std::string& keys,
                          const std::string& lookupKeys, std::string resultField) {
    FieldDef f = make(std::move(name), FieldType::String, width);
    f.kind = FieldKind::Lookup;
    f.lookupDataset = &source;
    f.keyFields = splitFieldList(keys);
    f.lookupKeyFields = splitFieldList(lookupKeys);
    f.lookupResultField = std::move(resultField);
    return f;
}

FieldDef FieldDef::calculated(std::string name, FieldType type, int width) {
    FieldDef f = make(std::move(name), type, width);
    f.kind = FieldKind::Calculated;
    return f;
}

std::vector<std::string> splitFieldList(const std::string& list) {
    std::vector<std::string> out;
    std::string cur;
    for (char c : list) {
        if (c == ';') {
            out.push_back(trim(cur));
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!trim(cur).empty()) out.push_back(trim(cur));
    return out;
}

} // namespace pelagor::db
