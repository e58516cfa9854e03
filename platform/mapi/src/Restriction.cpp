#include "Restriction.h"

#include "MapiError.h"
#include "mapi/MapiFlags.h"

#include <algorithm>
#include <cctype>

namespace pollenta::mapi {

namespace {

constexpr ULONG FL_SUBSTRING = 0x1;
constexpr ULONG FL_PREFIX = 0x2;
constexpr ULONG FL_IGNORECASE = 0x10000;

const char* SqlOperator(ULONG relop)
{
    switch (relop) {
    case RELOP_LT: return "<";
    case RELOP_LE: return "<=";
    case RELOP_GT: return ">";
    case RELOP_GE: return ">=";
    case RELOP_EQ: return "=";
    case RELOP_NE: return "<>";
    default: throw CMapiError(MAPI_E_TOO_COMPLEX, "Unsupported relational operator");
    }
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string PropExists(std::vector<CPropValue>& params, ULONG tag, const std::string& condition)
{
    params.push_back(CPropValue::FromInteger(PROP_TAG(PT_I8, 0), PROP_ID(tag)));
    return "EXISTS(SELECT 1 FROM props p WHERE p.obj = o.id AND p.id = ?" + condition + ")";
}

}  // namespace

CRestriction CRestriction::Copy(const SRestriction& r)
{
    CRestriction result;
    result.m_kind = r.rt;
    switch (r.rt) {
    case RES_AND:
    case RES_OR: {
        const SAndRestriction& list = r.res.resAnd;
        if (list.cRes && !list.lpRes) throw CMapiError(MAPI_E_INVALID_PARAMETER, "A restriction list is missing");
        for (ULONG i = 0; i < list.cRes; ++i) result.m_children.push_back(Copy(list.lpRes[i]));
        break;
    }
    case RES_NOT:
        if (!r.res.resNot.lpRes) throw CMapiError(MAPI_E_INVALID_PARAMETER, "A NOT restriction is empty");
        result.m_children.push_back(Copy(*r.res.resNot.lpRes));
        break;
    case RES_EXIST: result.m_tag = r.res.resExist.ulPropTag; break;
    case RES_PROPERTY:
    case RES_CONTENT: {
        const SPropValue* value = r.rt == RES_PROPERTY ? r.res.resProperty.lpProp : r.res.resContent.lpProp;
        if (!value) throw CMapiError(MAPI_E_INVALID_PARAMETER, "A restriction has no value");
        if (FAILED(CPropValue::FromSPropValue(*value, result.m_value)))
            throw CMapiError(MAPI_E_INVALID_PARAMETER, "A restriction value is not valid");
        if (r.rt == RES_PROPERTY) {
            result.m_relop = r.res.resProperty.relop;
            result.m_tag = r.res.resProperty.ulPropTag;
            SqlOperator(result.m_relop);
        } else {
            result.m_fuzzy = r.res.resContent.ulFuzzyLevel;
            result.m_tag = r.res.resContent.ulPropTag;
        }
        break;
    }
    case RES_BITMASK:
        result.m_relop = r.res.resBitMask.relBMR;
        result.m_tag = r.res.resBitMask.ulPropTag;
        result.m_mask = r.res.resBitMask.ulMask;
        break;
    default: throw CMapiError(MAPI_E_TOO_COMPLEX, "Unsupported restriction kind");
    }
    return result;
}

bool CRestriction::Compare(const CPropValue& actual) const
{
    if (m_kind == RES_BITMASK) {
        bool zero = (actual.Int() & m_mask) == 0;
        return m_relop == BMR_EQZ ? zero : !zero;
    }
    CPropValue wanted;
    if (!m_value.As(actual.Type(), wanted)) return false;
    if (m_kind == RES_CONTENT) {
        bool ignoreCase = (m_fuzzy & FL_IGNORECASE) != 0;
        std::string haystack = ignoreCase ? Lower(actual.Text()) : actual.Text();
        std::string needle = ignoreCase ? Lower(wanted.Text()) : wanted.Text();
        switch (m_fuzzy & 0xFFFF) {
        case FL_SUBSTRING: return haystack.find(needle) != std::string::npos;
        case FL_PREFIX: return haystack.compare(0, needle.size(), needle) == 0;
        default: return haystack == needle;  // the full string
        }
    }
    int order = actual.Compare(wanted);
    switch (m_relop) {
    case RELOP_LT: return order < 0;
    case RELOP_LE: return order <= 0;
    case RELOP_GT: return order > 0;
    case RELOP_GE: return order >= 0;
    case RELOP_EQ: return order == 0;
    default: return order != 0;
    }
}

bool CRestriction::Matches(const Lookup& lookup) const
{
    switch (m_kind) {
    case RES_AND:
        return std::all_of(m_children.begin(), m_children.end(), [&](const CRestriction& c) { return c.Matches(lookup); });
    case RES_OR:
        return std::any_of(m_children.begin(), m_children.end(), [&](const CRestriction& c) { return c.Matches(lookup); });
    case RES_NOT: return !m_children.front().Matches(lookup);
    case RES_EXIST: {
        CPropValue value;
        return lookup(PROP_ID(m_tag), value);
    }
    default: {
        // A missing property never satisfies a comparison.
        CPropValue value;
        return lookup(PROP_ID(m_tag), value) && Compare(value);
    }
    }
}

std::string CRestriction::ToSql(std::vector<CPropValue>& params) const
{
    switch (m_kind) {
    case RES_AND:
    case RES_OR: {
        if (m_children.empty()) return m_kind == RES_AND ? "1" : "0";
        std::string sql = "(";
        for (std::size_t i = 0; i < m_children.size(); ++i) {
            if (i) sql += m_kind == RES_AND ? " AND " : " OR ";
            sql += m_children[i].ToSql(params);
        }
        return sql + ")";
    }
    case RES_NOT: return "NOT " + m_children.front().ToSql(params);
    case RES_EXIST: return PropExists(params, m_tag, "");
    case RES_BITMASK: {
        std::string sql = PropExists(params, m_tag, std::string(" AND (p.value & ?) ") + (m_relop == BMR_EQZ ? "= 0" : "<> 0"));
        params.push_back(CPropValue::FromInteger(PROP_TAG(PT_I8, 0), m_mask));
        return sql;
    }
    case RES_CONTENT: {
        bool ignoreCase = (m_fuzzy & FL_IGNORECASE) != 0;
        std::string column = ignoreCase ? "lower(p.value)" : "p.value";
        std::string needle = ignoreCase ? Lower(m_value.Text()) : m_value.Text();
        std::string condition;
        switch (m_fuzzy & 0xFFFF) {
        case FL_SUBSTRING: condition = " AND instr(" + column + ", ?) > 0"; break;
        case FL_PREFIX: condition = " AND instr(" + column + ", ?) = 1"; break;
        default: condition = " AND " + column + " = ?"; break;
        }
        std::string sql = PropExists(params, m_tag, " AND p.type = 30" + condition);
        params.push_back(CPropValue::String(PROP_TAG(PT_STRING8, 0), needle));
        return sql;
    }
    default: {
        std::string sql = PropExists(params, m_tag, std::string(" AND p.value ") + SqlOperator(m_relop) + " ?");
        CPropValue value = m_value;
        CPropValue converted;
        if (m_value.As(PROP_TYPE(m_tag), converted)) value = converted;
        params.push_back(value);
        return sql;
    }
    }
}

}  // namespace pollenta::mapi
