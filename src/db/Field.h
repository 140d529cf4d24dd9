// Field declarations of a dataset: kind, width, key and required flags, and the lookup
// definition of looked-up fields.
#pragma once

#include "db/Value.h"

#include <string>
#include <vector>

namespace pelagor::db {

class Dataset;

enum class FieldKind { Data, Lookup, Calculated };

struct FieldDef {
    std::string name;
    FieldType type = FieldType::String;
    FieldKind kind = FieldKind::Data;
    int width = 0; // characters, for texts; 0 means no limit
    bool key = false;
    bool required = false;
    bool autoIncrement = false;
    // Name the user knows the field by, for messages ("" uses the field name).
    std::string label;
    // Looked-up fields: the row of `lookupDataset` whose `lookupKeyFields` equal this row's
    // `keyFields` gives `lookupResultField`.
    Dataset* lookupDataset = nullptr;
    std::vector<std::string> keyFields;
    std::vector<std::string> lookupKeyFields;
    std::string lookupResultField;

    static FieldDef integer(std::string name);
    static FieldDef largeInt(std::string name);
    static FieldDef floating(std::string name);
    static FieldDef string(std::string name, int width);
    static FieldDef date(std::string name);
    // Key lists are field names separated by ';', as in "id_comp;id_part".
    static FieldDef lookup(std::string name, int width, Dataset& source,
                           const std::string& keyFields, const std::string& lookupKeyFields,
                           std::string resultField);
    static FieldDef calculated(std::string name, FieldType type, int width = 0);

    FieldDef& asKey() {
        key = true;
        return *this;
    }
    FieldDef& asRequired() {
        required = true;
        return *this;
    }
    FieldDef& asAutoIncrement() {
        autoIncrement = true;
        return *this;
    }
    FieldDef& withLabel(std::string text) {
        label = std::move(text);
        return *this;
    }
};

std::vector<std::string> splitFieldList(const std::string& list);

} // namespace pelagor::db
