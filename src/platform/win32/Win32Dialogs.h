// Dialogs port on Windows: message boxes with the localised standard texts,
// the common open-file dialog, the message queue and text measurement. The
// program's own windows and the select-directory dialog are window models,
// drawn by the ui layer above this one, which hands in its presenter.
#pragma once

#include "platform/Dialogs.h"

namespace qz {

// Shows window models for real; implemented by the Win32 renderer.
class FormPresenter {
public:
    virtual ~FormPresenter() = default;
    virtual DialogButton showModal(ModalWindow& window) = 0;
    virtual std::optional<std::string> selectFolder(const SelectFolderRequest& request) = 0;
    // Re-reads the models of every window on the screen (long work changes
    // them outside any event handler, then lets the queue run).
    virtual void refresh() = 0;
};

class Win32Dialogs : public Dialogs {
public:
    void setFormPresenter(FormPresenter* presenter) { presenter_ = presenter; }

    void setStandardTexts(const StandardTexts& texts) override { texts_ = texts; }
    const StandardTexts& standardTexts() const override { return texts_; }
    DialogButton showMessage(const MessageRequest& request) override;
    std::optional<std::string> openFile(const OpenFileRequest& request) override;
    // These two throw std::logic_error when no presenter was handed in.
    std::optional<std::string> selectFolder(const SelectFolderRequest& request) override;
    DialogButton showModal(ModalWindow& window) override;
    void processMessages() override;
    // Posts the quit request that ends every modal loop.
    void terminateApplication() override;
    bool applicationTerminated() const override { return terminated_; }
    int textWidth(const std::string& text, const FontSpec& font) const override;

private:
    FormPresenter& presenter() const;

    StandardTexts texts_;
    FormPresenter* presenter_ = nullptr;
    bool terminated_ = false;
};

} // namespace qz
