#pragma once

#include <QImage>
#include <QListWidget>
#include <vector>

// Every picture of a preview as a small numbered image in one row; choosing one shows that
// sheet. It keeps its height to one row of pictures.
class CSheetStrip : public QListWidget {
    Q_OBJECT

public:
    explicit CSheetStrip(QWidget* parent);

    void SetPictures(const std::vector<QImage>& pictures, bool lightInk);
};
