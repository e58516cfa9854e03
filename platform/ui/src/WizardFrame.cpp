#include "Convert.h"
#include "Dispatch.h"
#include "ImageObjects.h"
#include "WizardFrame.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const char kBandName[] = "wizardHeader";
const char kTitleName[] = "wizardHeaderTitle";
const char kSubtitleName[] = "wizardHeaderSubtitle";
const char kHeaderPictureName[] = "wizardHeaderBitmap";
const char kWatermarkName[] = "wizardWatermark";

QWidget* MakeBand(QWidget* sheet)
{
    auto* band = new QFrame(sheet);
    band->setObjectName(kBandName);
    band->setAutoFillBackground(true);
    QPalette palette = band->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    band->setPalette(palette);
    band->setFrameShape(QFrame::NoFrame);

    auto* texts = new QVBoxLayout;
    auto* title = new QLabel(band);
    title->setObjectName(kTitleName);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    auto* subtitle = new QLabel(band);
    subtitle->setObjectName(kSubtitleName);
    subtitle->setContentsMargins(16, 0, 0, 0);
    texts->addWidget(title);
    texts->addWidget(subtitle);
    texts->addStretch();
    auto* row = new QHBoxLayout(band);
    row->addLayout(texts, 1);
    auto* picture = new QLabel(band);
    picture->setObjectName(kHeaderPictureName);
    row->addWidget(picture);

    // The etched line between the band and the page.
    auto* line = new QFrame(band);
    line->setObjectName("wizardHeaderLine");
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return band;
}

void FillBand(QWidget* band, const WizardLook& look, int width)
{
    band->setGeometry(0, 0, width, look.headerHeight);
    band->findChild<QLabel*>(kTitleName)->setText(ToQString(look.title));
    auto* subtitle = band->findChild<QLabel*>(kSubtitleName);
    subtitle->setText(ToQString(look.subtitle));
    subtitle->setVisible(!look.subtitle.empty());
    auto* picture = band->findChild<QLabel*>(kHeaderPictureName);
    int side = look.headerHeight - 8;
    picture->setPixmap(look.header ? QPixmap::fromImage(look.header->image.scaled(side, side, Qt::KeepAspectRatio))
                                   : QPixmap());
    if (auto* line = band->findChild<QFrame*>("wizardHeaderLine"))
        line->setGeometry(0, look.headerHeight - 2, width, 2);
    band->show();
    band->raise();
}

// Beneath the page's controls, at its left edge, as tall as the page.
void ShowWatermark(QWidget* page, HBITMAP watermark)
{
    auto* label = page->findChild<QLabel*>(kWatermarkName, Qt::FindDirectChildrenOnly);
    if (!watermark) {
        if (label)
            label->hide();
        return;
    }
    if (!label) {
        label = new QLabel(page);
        label->setObjectName(kWatermarkName);
    }
    QImage image = watermark->image.scaledToHeight(page->height());
    label->setPixmap(QPixmap::fromImage(image));
    label->setGeometry(0, 0, image.width(), page->height());
    label->lower();
    label->show();
}

} // namespace

void DressWizardPage(HWND sheet, HWND page, const WizardLook& look)
{
    WindowRecord* sheetRecord = FindRecord(sheet);
    WindowRecord* pageRecord = FindRecord(page);
    if (!sheetRecord || !pageRecord || !sheetRecord->widget || !pageRecord->widget)
        return;
    QWidget* frame = sheetRecord->widget;
    QWidget* band = frame->findChild<QWidget*>(kBandName, Qt::FindDirectChildrenOnly);
    if (!band)
        band = MakeBand(frame);
    QWidget* pageWidget = pageRecord->widget;
    int top = look.headerShown ? look.headerHeight : 0;
    pageWidget->setGeometry(0, top, frame->width(), look.areaHeight - top);
    if (look.headerShown) {
        FillBand(band, look, frame->width());
        ShowWatermark(pageWidget, nullptr);
    } else {
        band->hide();
        ShowWatermark(pageWidget, look.watermark);
    }
}
