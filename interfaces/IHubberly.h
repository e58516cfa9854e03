#pragma once
// IHubberly: the one door to the survey projects of Gastrel. Clients bind to
// its function table directly, so the member order below is fixed; late
// binding uses the DISPIDs.

#include "com/Dispatch.h"

// {FE14401F-5991-4A00-B8F4-92BB11A77B5C}
inline constexpr CLSID CLSID_Hubberly = {0xFE14401F, 0x5991, 0x4A00, {0xB8, 0xF4, 0x92, 0xBB, 0x11, 0xA7, 0x7B, 0x5C}};
// {D5FFE5DC-2E83-4BB7-BDBF-8EA39746DF76}
inline constexpr IID IID_IHubberly = {0xD5FFE5DC, 0x2E83, 0x4BB7, {0xBD, 0xBF, 0x8E, 0xA3, 0x97, 0x46, 0xDF, 0x76}};
// {D9238FCF-5E82-4076-9616-3ABF3B8144AD}
inline constexpr GUID LIBID_GastrelLib = {0xD9238FCF, 0x5E82, 0x4076, {0x96, 0x16, 0x3A, 0xBF, 0x3B, 0x81, 0x44, 0xAD}};
// {17F1AD9B-D3DF-4816-9E77-A0CBB583E243}
inline constexpr GUID APPID_Gastrel = {0x17F1AD9B, 0xD3DF, 0x4816, {0x9E, 0x77, 0xA0, 0xCB, 0xB5, 0x83, 0xE2, 0x43}};

inline constexpr const char* kHubberlyProgID = "Gastrel.Hubberly";
inline constexpr const char16_t* kHubberlyProgIDW = u"Gastrel.Hubberly";
inline constexpr const char* kHubberlyVersionedProgID = "Gastrel.Hubberly.1";

inline constexpr DISPID DISPID_HUBBERLY_GENHTMLBYFORM = 2;
inline constexpr DISPID DISPID_HUBBERLY_WARNINGSCOUNT = 4;
inline constexpr DISPID DISPID_HUBBERLY_WARNINGOBJECTNAME = 5;
inline constexpr DISPID DISPID_HUBBERLY_WARNINGID = 6;
inline constexpr DISPID DISPID_HUBBERLY_GETPROPERTY = 7;
inline constexpr DISPID DISPID_HUBBERLY_SETPROPERTY = 8;
inline constexpr DISPID DISPID_HUBBERLY_CREATEPROJECT = 9;
inline constexpr DISPID DISPID_HUBBERLY_FINALIZEPROJECT = 10;
inline constexpr DISPID DISPID_HUBBERLY_DELETEPROJECT = 11;
inline constexpr DISPID DISPID_HUBBERLY_OPENHTMLPAGE = 12;
inline constexpr DISPID DISPID_HUBBERLY_INSERTDATA = 13;
inline constexpr DISPID DISPID_HUBBERLY_ENUMPROJECTS = 14;
inline constexpr DISPID DISPID_HUBBERLY_ENUMPROJECTDATAFIELDS = 15;
inline constexpr DISPID DISPID_HUBBERLY_GETPROJECTNAME = 16;
inline constexpr DISPID DISPID_HUBBERLY_GETERRORSTRING = 17;
inline constexpr DISPID DISPID_HUBBERLY_GETPROJECTDIR = 18;
inline constexpr DISPID DISPID_HUBBERLY_GETPROJECTPROPERTY = 19;

struct IHubberly : IDispatch {
    STDMETHOD(GenHTMLbyForm)(VARIANT accessApplication, VARIANT accessForm, VARIANT* result) PURE;
    STDMETHOD(get_WarningsCount)(LONG* pVal) PURE;
    STDMETHOD(WarningObjectName)(LONG idx, BSTR* name) PURE;
    STDMETHOD(WarningId)(LONG idx, LONG* id) PURE;
    STDMETHOD(GetProperty)(VARIANT parameter, VARIANT* value) PURE;
    STDMETHOD(SetProperty)(VARIANT parameter, VARIANT value) PURE;
    STDMETHOD(CreateProject)(VARIANT projectName, LONG* projectID) PURE;
    STDMETHOD(FinalizeProject)(LONG projectID) PURE;
    STDMETHOD(DeleteProject)(LONG projectID) PURE;
    STDMETHOD(OpenHtmlPage)(LONG method) PURE;
    STDMETHOD(InsertData)(LONG projectID, VARIANT data, VARIANT* errors, LONG* result) PURE;
    STDMETHOD(EnumProjects)(LONG prjType, VARIANT* projects) PURE;
    STDMETHOD(EnumProjectDatafields)(LONG project, VARIANT* fields) PURE;
    STDMETHOD(GetProjectName)(LONG projectID, BSTR* projectName) PURE;
    STDMETHOD(GetErrorString)(LONG error, BSTR* errstring) PURE;
    STDMETHOD(GetProjectDir)(LONG projectID, BSTR* dir) PURE;
    STDMETHOD(GetProjectProperty)(LONG projectID, VARIANT parameter, VARIANT* value) PURE;

protected:
    ~IHubberly() = default;
};
POLLENTA_INTERFACE_IID(IHubberly, IID_IHubberly);
