#pragma once

#include <QApplication>
#include <memory>

namespace quorl {

class CMainFrame;
class CVoicePagerDoc;
class QtProfileStore;

// The application object: profile, the one document and its frame.
class CVoicePagerApp : public QApplication {
    Q_OBJECT

public:
    CVoicePagerApp(int& argc, char** argv);
    ~CVoicePagerApp() override;

    // Shows the frame and opens a file named on the command line.
    void initInstance();

    CMainFrame& frame() { return *frame_; }
    CVoicePagerDoc& document() { return *document_; }
    QtProfileStore& profile() { return *profile_; }

private:
    std::unique_ptr<QtProfileStore> profile_;
    std::unique_ptr<CVoicePagerDoc> document_;
    std::unique_ptr<CMainFrame> frame_;
};

} // namespace quorl
