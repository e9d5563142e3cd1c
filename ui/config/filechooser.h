#pragma once
// The seam through which the configuration dialog asks for a file. The
// dialog is given its choosers when it is made: the program gives real file
// dialogs, tests a chooser that records the requests and answers as told.
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QFileDialog;
class QWidget;

namespace dawn {

struct FileRequest {
    QString title;
    // A description and its patterns separated by "|", the patterns by ";"
    // ("Sound files (*.wav)|*.WAV").
    QString filter;
    QString startFolder;
    QString presetPath;           // the file name the chooser starts with
    bool picturePreview = false;  // show a preview of the selected picture
};

class FileChoosers {
public:
    virtual ~FileChoosers() = default;
    // The chosen file, or nothing when the user cancelled.
    virtual std::optional<QString> openFile(QWidget* parent, const FileRequest& request) = 0;
};

// The real file dialogs.
FileChoosers& RealFileChooser();

// The file dialog the program shows for a request (not yet shown): Qt's own
// dialog, in the start folder with the preset file's name, filtered, and for
// pictures with a preview of the picture under the cursor.
std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, const FileRequest& request);

// The toolkit's name filter for a filter text: the description, then every
// pattern in both cases, with "*.jpeg" beside "*.jpg", since file names on
// this system are case-sensitive:
//   "Sound files (*.wav)|*.WAV" -> "Sound files (*.wav) (*.wav *.WAV)".
QString NameFilterOf(const QString& filter);
// The patterns that NameFilterOf lists.
QStringList PatternsOf(const QString& filter);

}  // namespace dawn
