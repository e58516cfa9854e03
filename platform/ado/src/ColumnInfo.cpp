#include "ColumnInfo.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace pollenta::ado {

namespace {

constexpr LONG kLongTextSize = 536870910;
constexpr LONG kLongBinarySize = 1073741823;
constexpr LONG kDefaultTextSize = 255;

struct TypeName {
    const char* name;
    DataTypeEnum type;
    LONG size;
};

// Exact names first; the length in parentheses, when given, is the size.
constexpr TypeName kTypes[] = {
    {"INTEGER", adInteger, 4},      {"INT", adInteger, 4},          {"LONG", adInteger, 4},
    {"COUNTER", adInteger, 4},      {"AUTOINCREMENT", adInteger, 4}, {"SMALLINT", adSmallInt, 2},
    {"SHORT", adSmallInt, 2},       {"TINYINT", adUnsignedTinyInt, 1}, {"BYTE", adUnsignedTinyInt, 1},
    {"BIGINT", adBigInt, 8},        {"BIT", adBoolean, 2},          {"BOOLEAN", adBoolean, 2},
    {"BOOL", adBoolean, 2},         {"YESNO", adBoolean, 2},        {"LOGICAL", adBoolean, 2},
    {"REAL", adDouble, 8},          {"DOUBLE", adDouble, 8},        {"FLOAT", adDouble, 8},
    {"DOUBLE PRECISION", adDouble, 8}, {"SINGLE", adSingle, 4},     {"CURRENCY", adCurrency, 8},
    {"MONEY", adCurrency, 8},       {"DATE", adDate, 8},            {"DATETIME", adDate, 8},
    {"TIME", adDate, 8},            {"TIMESTAMP", adDate, 8},       {"DECIMAL", adNumeric, 19},
    {"NUMERIC", adNumeric, 19},     {"VARCHAR", adVarWChar, kDefaultTextSize},
    {"NVARCHAR", adVarWChar, kDefaultTextSize}, {"CHARACTER VARYING", adVarWChar, kDefaultTextSize},
    {"CHAR", adWChar, kDefaultTextSize}, {"NCHAR", adWChar, kDefaultTextSize},
    {"CHARACTER", adWChar, kDefaultTextSize}, {"TEXT", adLongVarWChar, kLongTextSize},
    {"MEMO", adLongVarWChar, kLongTextSize}, {"LONGTEXT", adLongVarWChar, kLongTextSize},
    {"NTEXT", adLongVarWChar, kLongTextSize}, {"CLOB", adLongVarWChar, kLongTextSize},
    {"BLOB", adLongVarBinary, kLongBinarySize}, {"LONGBINARY", adLongVarBinary, kLongBinarySize},
    {"IMAGE", adLongVarBinary, kLongBinarySize}, {"OLEOBJECT", adLongVarBinary, kLongBinarySize},
    {"VARBINARY", adVarBinary, 510}, {"BINARY", adBinary, 510},
    {"GUID", adGUID, 16},           {"UNIQUEIDENTIFIER", adGUID, 16},
};

bool IsText(DataTypeEnum type) { return type == adVarWChar || type == adWChar || type == adLongVarWChar; }

}  // namespace

ColumnInfo DescribeColumn(const std::string& name, const std::string& declaredType, bool notNull, bool primaryKey)
{
    ColumnInfo column;
    column.name = name;
    std::string upper = declaredType;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
    const auto paren = upper.find('(');
    std::string base = upper.substr(0, paren);
    base.erase(base.find_last_not_of(" \t") + 1);
    base.erase(0, std::min(base.size(), base.find_first_not_of(" \t")));
    const long length = paren == std::string::npos ? 0 : std::strtol(upper.c_str() + paren + 1, nullptr, 10);

    const auto known = std::find_if(std::begin(kTypes), std::end(kTypes),
                                    [&](const TypeName& t) { return base == t.name; });
    if (known != std::end(kTypes)) {
        column.type = known->type;
        column.definedSize = known->size;
        if (length > 0 && (IsText(column.type) || column.type == adVarBinary || column.type == adBinary)) {
            column.definedSize = static_cast<LONG>(std::min<long>(length, kLongTextSize));
            if (column.type == adLongVarWChar)
                column.type = adVarWChar;
        }
    } else if (base.find("INT") != std::string::npos) {
        column = DescribeColumn(name, "INTEGER", notNull, primaryKey);
    } else if (base.find("CHAR") != std::string::npos || base.find("CLOB") != std::string::npos ||
               base.find("TEXT") != std::string::npos || base.empty()) {
        column.type = adLongVarWChar;
        column.definedSize = kLongTextSize;
    } else if (base.find("BLOB") != std::string::npos) {
        column.type = adLongVarBinary;
        column.definedSize = kLongBinarySize;
    } else if (base.find("REAL") != std::string::npos || base.find("FLOA") != std::string::npos ||
               base.find("DOUB") != std::string::npos) {
        column.type = adDouble;
        column.definedSize = 8;
    } else {
        column.type = adNumeric;
        column.definedSize = 19;
    }
    column.attributes = adFldUpdatable | adFldUnknownUpdatable;
    if (!notNull && !primaryKey)
        column.attributes |= adFldIsNullable | adFldMayBeNull;
    if (column.type == adLongVarWChar || column.type == adLongVarBinary)
        column.attributes |= adFldLong | adFldMayDefer;
    else if (!IsText(column.type) && column.type != adVarBinary && column.type != adNumeric)
        column.attributes |= adFldFixed;
    if (primaryKey)
        column.attributes |= adFldKeyColumn;
    return column;
}

void MarkAutoNumbered(ColumnInfo& column)
{
    column.autoNumbered = true;
    column.attributes &= ~(adFldUpdatable | adFldUnknownUpdatable);
    column.attributes |= adFldRowID;
}

}  // namespace pollenta::ado
