#include "com/ComBstr.h"
#include "com/ComVariant.h"
#include "com/SafeArray.h"

#include <gtest/gtest.h>

TEST(SafeArray, BoundsFollowTheLowerBound)
{
    SAFEARRAYBOUND bound{3, 5};
    SAFEARRAY* array = SafeArrayCreate(VT_I4, 1, &bound);
    ASSERT_NE(array, nullptr);
    EXPECT_EQ(SafeArrayGetDim(array), 1u);
    LONG low = 0, high = 0;
    EXPECT_EQ(SafeArrayGetLBound(array, 1, &low), S_OK);
    EXPECT_EQ(SafeArrayGetUBound(array, 1, &high), S_OK);
    EXPECT_EQ(low, 5);
    EXPECT_EQ(high, 7);
    EXPECT_EQ(SafeArrayGetLBound(array, 2, &low), DISP_E_BADINDEX);
    for (LONG i = 5; i <= 7; ++i) {
        LONG value = i * 10;
        ASSERT_EQ(SafeArrayPutElement(array, &i, &value), S_OK);
    }
    LONG index = 6, value = 0;
    ASSERT_EQ(SafeArrayGetElement(array, &index, &value), S_OK);
    EXPECT_EQ(value, 60);
    EXPECT_EQ(SafeArrayDestroy(array), S_OK);
}

TEST(SafeArray, OutOfBoundsIndexesFailWithoutTouchingData)
{
    SAFEARRAY* array = SafeArrayCreateVector(VT_BSTR, 0, 2);
    ASSERT_NE(array, nullptr);
    CComBSTR text("kept");
    for (LONG index : {-1, 2, 1000000}) {
        EXPECT_EQ(SafeArrayPutElement(array, &index, text.m_str), DISP_E_BADINDEX);
        BSTR out = nullptr;
        EXPECT_EQ(SafeArrayGetElement(array, &index, &out), DISP_E_BADINDEX);
        EXPECT_EQ(out, nullptr);
    }
    SafeArrayDestroy(array);
    EXPECT_EQ(SafeArrayCreate(VT_I4, 2, nullptr), nullptr);
    EXPECT_EQ(SafeArrayCreateVector(VT_EMPTY, 0, 1), nullptr);
}

TEST(SafeArray, StringElementsAreCopiedInAndOut)
{
    SAFEARRAY* array = SafeArrayCreateVector(VT_BSTR, 0, 2);
    LONG index = 0;
    CComBSTR name("first");
    ASSERT_EQ(SafeArrayPutElement(array, &index, name.m_str), S_OK);
    ASSERT_EQ(SafeArrayPutElement(array, &index, CComBSTR("second").m_str), S_OK);
    BSTR out = nullptr;
    ASSERT_EQ(SafeArrayGetElement(array, &index, &out), S_OK);
    EXPECT_EQ(pollenta::com::AnsiFromBstr(out), "second");
    SysFreeString(out);

    SAFEARRAY* copy = nullptr;
    ASSERT_EQ(SafeArrayCopy(array, &copy), S_OK);
    VARTYPE vt = VT_EMPTY;
    EXPECT_EQ(SafeArrayGetVartype(copy, &vt), S_OK);
    EXPECT_EQ(vt, VT_BSTR);
    BSTR* original = nullptr;
    BSTR* copied = nullptr;
    SafeArrayAccessData(array, reinterpret_cast<void**>(&original));
    SafeArrayAccessData(copy, reinterpret_cast<void**>(&copied));
    EXPECT_NE(original[0], copied[0]);
    EXPECT_EQ(copied[1], nullptr);
    SafeArrayUnaccessData(copy);
    SafeArrayUnaccessData(array);
    SafeArrayDestroy(copy);
    SafeArrayDestroy(array);
}

TEST(SafeArray, VariantElementsHoldNamesAndCodes)
{
    SAFEARRAY* errors = SafeArrayCreateVector(VT_VARIANT, 0, 2);
    LONG index = 0;
    CComVariant name("Field1");
    ASSERT_EQ(SafeArrayPutElement(errors, &index, &name), S_OK);
    index = 1;
    CComVariant code(LONG(17));
    ASSERT_EQ(SafeArrayPutElement(errors, &index, &code), S_OK);

    // Held in a VARIANT, the array is freed with it.
    CComVariant holder(errors);
    SafeArrayDestroy(errors);
    ASSERT_EQ(holder.vt, VT_ARRAY | VT_VARIANT);
    CComVariant element;
    index = 0;
    ASSERT_EQ(SafeArrayGetElement(holder.parray, &index, &element), S_OK);
    EXPECT_EQ(pollenta::com::AnsiFromBstr(element.bstrVal), "Field1");
    CComVariant copy(holder);
    EXPECT_NE(copy.parray, holder.parray);
}

TEST(SafeArray, LockedArraysCannotBeDestroyedOrResized)
{
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, 4);
    BYTE* data = nullptr;
    ASSERT_EQ(SafeArrayAccessData(array, reinterpret_cast<void**>(&data)), S_OK);
    data[3] = 9;
    EXPECT_EQ(SafeArrayDestroy(array), DISP_E_ARRAYISLOCKED);
    SAFEARRAYBOUND bigger{8, 0};
    EXPECT_EQ(SafeArrayRedim(array, &bigger), DISP_E_ARRAYISLOCKED);
    ASSERT_EQ(SafeArrayUnaccessData(array), S_OK);
    EXPECT_EQ(SafeArrayUnaccessData(array), E_UNEXPECTED);
    ASSERT_EQ(SafeArrayRedim(array, &bigger), S_OK);
    LONG index = 3;
    BYTE value = 0;
    ASSERT_EQ(SafeArrayGetElement(array, &index, &value), S_OK);
    EXPECT_EQ(value, 9);
    index = 7;
    ASSERT_EQ(SafeArrayGetElement(array, &index, &value), S_OK);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(SafeArrayDestroy(array), S_OK);
}

TEST(SafeArray, PlainValuesAreCopiedWholeAndElementsDroppedByShrinkingComeBackAsZero)
{
    for (const ULONG count : {0u, 1u, 5u, 70000u}) {
        SCOPED_TRACE(count);
        SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 1, count);
        LONG* data = nullptr;
        ASSERT_EQ(SafeArrayAccessData(array, reinterpret_cast<void**>(&data)), S_OK);
        for (ULONG i = 0; i < count; ++i)
            data[i] = static_cast<LONG>(i * 7 + 1);
        SafeArrayUnaccessData(array);

        SAFEARRAY* copy = nullptr;
        ASSERT_EQ(SafeArrayCopy(array, &copy), S_OK);
        LONG lower = 0;
        EXPECT_EQ(SafeArrayGetLBound(copy, 1, &lower), S_OK);
        EXPECT_EQ(1, lower);
        for (LONG index : {LONG{1}, static_cast<LONG>(count / 2) + 1, static_cast<LONG>(count)}) {
            LONG value = -1;
            if (count > 0) {
                ASSERT_EQ(S_OK, SafeArrayGetElement(copy, &index, &value));
                EXPECT_EQ((index - 1) * 7 + 1, value) << "at " << index;
            }
        }

        SAFEARRAYBOUND smaller{count / 2, 1};
        SAFEARRAYBOUND whole{count, 1};
        ASSERT_EQ(S_OK, SafeArrayRedim(copy, &smaller));
        ASSERT_EQ(S_OK, SafeArrayRedim(copy, &whole));
        if (count > 1) {
            LONG kept = static_cast<LONG>(count / 2), dropped = static_cast<LONG>(count), value = -1;
            ASSERT_EQ(S_OK, SafeArrayGetElement(copy, &kept, &value));
            EXPECT_EQ((kept - 1) * 7 + 1, value);
            ASSERT_EQ(S_OK, SafeArrayGetElement(copy, &dropped, &value));
            EXPECT_EQ(0, value);
        }
        SafeArrayDestroy(copy);
        SafeArrayDestroy(array);
    }
}
