#include "vibsim/ui/similarity_run.h"

#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace vorax::vibsim::ui {

SimilarityRun::SimilarityRun(int candidates, Prepare prepare, RunDestinations destinations,
                             SimilarityWindow* window, QObject* parent)
    : QObject(parent),
      candidates_(candidates),
      prepare_(std::move(prepare)),
      destinations_(destinations),
      window_(window) {
  countdown_.setInterval(1000);
  connect(&countdown_, &QTimer::timeout, this, &SimilarityRun::tick);
  connect(window_, &SimilarityWindow::nextVibrator, this, [this] {
    if (running_ && destinations_.screenPause) goForward();
  });
  connect(window_, &SimilarityWindow::previousVibrator, this, [this] {
    if (running_ && destinations_.screenPause) goBack();
  });
  connect(window_, &SimilarityWindow::cancelled, this, &SimilarityRun::cancel);
  window_->setHighResPrint(destinations_.printQuality == 2);
}

SimilarityRun::~SimilarityRun() = default;

void SimilarityRun::setPrinter(std::unique_ptr<QPrinter> printer) {
  printer_ = std::move(printer);
  printerAsked_ = true;
}

std::vector<FleetEntry> SimilarityRun::fleet() const {
  std::vector<FleetEntry> entries;
  for (const auto& [index, entry] : fleet_) entries.push_back(entry);
  return entries;
}

void SimilarityRun::record(int index, const PreparedVibrator& prepared) {
  if (prepared.action == PreparedVibrator::Action::Show) {
    fleet_[index] = {prepared.row, prepared.label, prepared.pages->verdict(), {}};
  } else if (!prepared.skipped.empty()) {
    fleet_[index] = {prepared.row, prepared.label, std::nullopt, prepared.skipped};
  }
}

void SimilarityRun::start() {
  running_ = true;
  goForward();
}

void SimilarityRun::cancel() {
  if (!running_) return;
  finish();
}

void SimilarityRun::goForward() {
  leave();
  for (int index = current_ + 1; index < candidates_; ++index) {
    const PreparedVibrator::Action action = [&] {
      PreparedVibrator prepared = prepare_(index);
      record(index, prepared);
      if (prepared.action == PreparedVibrator::Action::Show) {
        pages_ = std::move(prepared.pages);
        current_ = index;
        left_ = false;
      }
      return prepared.action;
    }();
    if (!running_) return;  // the window was closed while a message box was open
    if (action == PreparedVibrator::Action::EndRun) return finish();
    if (action == PreparedVibrator::Action::Show) {
      if (shown_.empty() || shown_.back() != index) shown_.push_back(index);
      produceDestinations();
      return showStep(0);
    }
  }
  emit completed();
  finish();
}

void SimilarityRun::goBack() {
  if (onPreviousEntry_) onPreviousEntry_(current_);
  auto here = std::find(shown_.begin(), shown_.end(), current_);
  if (here != shown_.begin() && here != shown_.end()) {
    leave();
    const int index = *(here - 1);
    PreparedVibrator prepared = prepare_(index);
    if (!running_) return;
    if (prepared.action == PreparedVibrator::Action::Show) {
      pages_ = std::move(prepared.pages);
      current_ = index;
      left_ = false;
      showStep(0);
    }
  }
  if (onPreviousExit_) onPreviousExit_(current_);
}

void SimilarityRun::produceDestinations() {
  steps_ = pages_->requestedPages();
  for (int page : steps_) {
    if (destinations_.bmp) {
      for (const std::string& error : saveRunPictures(*pages_, page))
        QMessageBox::warning(window_, "VORAX Viewer", QString::fromStdString(error));
    }
    if (destinations_.printQuality > 0 && printer() != nullptr) {
      if (!printJob_) printJob_ = std::make_unique<SimilarityPrintJob>(*printer_);
      printJob_->addPage(*pages_, page, destinations_.printQuality == 2,
                         pages_->printCaption(page, false));
    }
  }
}

QPrinter* SimilarityRun::printer() {
  if (!printerAsked_) {
    printerAsked_ = true;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName("VORAX Viewer Similarity");
    printer->setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(printer.get(), window_);
    if (dialog.exec() == QDialog::Accepted) printer_ = std::move(printer);
  }
  return printer_.get();
}

void SimilarityRun::showStep(std::size_t step) {
  step_ = step;
  countdown_.stop();
  window_->setStatus({});
  if (steps_.empty()) return goForward();
  if (destinations_.screen) window_->showPage(*pages_, steps_[std::min(step, steps_.size() - 1)]);
  if (destinations_.screenPause && destinations_.screen) return;
  if (!destinations_.screen) {
    // Nothing to look at: go on at once, through the event queue so the window stays live.
    QTimer::singleShot(0, this, [this] {
      if (running_) goForward();
    });
    return;
  }
  secondsLeft_ = std::max(destinations_.delaySeconds, 0);
  window_->setStatus(QString("%1 Seconds Remaining").arg(secondsLeft_));
  countdown_.start();
}

void SimilarityRun::tick() {
  if (--secondsLeft_ > 0) {
    window_->setStatus(QString("%1 Seconds Remaining").arg(secondsLeft_));
    return;
  }
  countdown_.stop();
  if (step_ + 1 < steps_.size()) return showStep(step_ + 1);
  goForward();
}

void SimilarityRun::leave() {
  if (left_ || current_ < 0) return;
  left_ = true;
  if (onLeave_) onLeave_(current_);
}

void SimilarityRun::finish() {
  if (!running_) return;
  running_ = false;
  countdown_.stop();
  leave();
  printJob_.reset();  // the document is complete
  if (window_) window_->deleteLater();
  emit finished();
}

}  // namespace vorax::vibsim::ui
