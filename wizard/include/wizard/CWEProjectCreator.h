#pragma once
// The wizard's last step: from the checked page, its fields and the
// settings it makes a survey project in the project library (by ProgID
// "Gastrel.Hubberly"), the survey page index.html with its pictures in the
// project folder, and the answer table in the user's database. When any
// step records an error everything made is undone: the table is dropped and
// the project deleted with its folder.
//
// The preparing mode only builds the CREATE TABLE request into the
// settings' SqlRequest and touches nothing else.
//
//     CWEProjectCreator creator(&document, &errors, &settings, &fields, CWEProjectCreator::kCreating);
//     if (!creator.Create()) show(errors);

#include "wizard/CWEErrors.h"
#include "wizard/CWEFieldsDataSet.h"
#include "wizard/CWEHTMLDocument.h"
#include "wizard/CWEPictureCallback.h"
#include "wizard/CWEProjectSettings.h"

#include "html/HtmlForm.h"

#include "IHubberly.h"
#include "com/ComPtr.h"
#include "com/ComVariant.h"

#include <string>

class CWEProjectCreator : public CWEPictureCallback {
public:
    static constexpr int kCreating = 0;
    static constexpr int kPreparing = 1;

    // All four must be given and the settings must name the source page;
    // the unexpected error otherwise.
    CWEProjectCreator(CWEHTMLDocument* document, CWEErrors* errors, CWEProjectSettings* settings,
                      CWEFieldsDataSet* fields, int mode);

    // 1 when project, page and table stand; 0 when an error was recorded
    // and everything was undone (each failed undo step is recorded too).
    int Create();

    // Copies one picture into the project folder as "_kqwpic_NNN.ext".
    int OnPicture(CWEPicture& picture, CWEProjectSettings& data, CWEErrors& errors, bool& changed, int number) override;

private:
    void ConnectProjectLibrary();
    void CreateProjectEntry();
    void SetProjectProperty(const char* name, const CComVariant& value, const std::string& shown);
    void ReloadPage();
    int RenameFormElements();
    void RenameControl(pollenta::html::HtmlElement& control);
    void AddCollectedFields();
    int CopyPictures();
    void SaveFinalPage();
    void AddHiddenFields(pollenta::html::HtmlForm form) const;
    std::string SetMetaGenerator(const std::string& text) const;
    int CreateTable();
    std::string BuildCreateTable();
    int VerifyEditedSql(const std::string& request);
    void ExecuteSql(const std::string& request, bool sqlMessage);
    void Rollback();
    std::string QuotedTableName() const;

    CWEHTMLDocument* m_pWizardDocument;
    CWEErrors* m_pErrors;
    CWEProjectSettings* m_pSettings;
    CWEProjectSettings m_settings;
    CWEFieldsDataSet m_fields;
    std::string m_strTableName;
    CWEHTMLDocument m_document;
    CComPtr<IHubberly> m_spHubberly;
    int m_nMode;
    bool m_bProjectMade = false;
    bool m_bTableMade = false;
    bool m_bInsertProjectField = false;
    bool m_bInsertRecipientField = false;
};
