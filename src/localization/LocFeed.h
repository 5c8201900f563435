// Hands the localized file's events of the current language from the reader's thread to the one that applies them.
//
// Reading the localized file is the parser's work; applying its texts is look-ups by identifier and text
// copies, which wait on memory far more than they compute. A LocFeed lets the two run side by side: the
// reader's callbacks record each event that can matter (element kind, the few attribute values it needs,
// character data) into batches, and a second thread replays the batches, in order, into the applier. The
// applier sees exactly the events, in exactly the order, that it would see called from the reader itself;
// only the time they arrive differs. With a single processor the batches are replayed on the reader's thread.
//
// Events outside the language blocks that apply are not handed on where the applier would ignore them: the
// feed keeps the one piece of state the applier's choice depends on there (whether a matching "LANG" is
// open), and keeps character data locally until an event shows it could be used.
//
// Example:
//   k42::LocFeed feed(applier, u"de", k42::LocFeed::Mode::kThreaded);
//   ... reader callbacks: feed.Start(name, attributes); feed.Characters(text); feed.End(name);
//   feed.Finish();   // waits for the applier; rethrows what it threw
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include <xercesc/sax2/Attributes.hpp>

namespace k42 {

// The elements of the localized file the applier reacts to; every other element is kOther.
enum class LocElement : uint8_t {
  kOther,
  kLanguageSupport,
  kLang,        // attribute 0: "1" when the block applies (default language or the one asked for), else empty
  kScope,       // "ID"
  kId,          // "NAME"
  kLabel,       // "DDSTRING"
  kTooltip,     // "DDSTRING"
  kHelpTopic,   //
  kEnum,        // "ID", "LEGEND", "DDSTRING"
  kHelpFile,    // "FREF", "ANCHORS"
  kUiHelpFile,  // "FREF", "ANCHORS"
};
constexpr size_t kLocAttributes = 3;

LocElement LocElementNamed(std::u16string_view name);

// What replays the events: the model's text applier.
class LocApplier {
 public:
  virtual ~LocApplier() = default;
  // Absent attributes come as empty texts.
  virtual void ApplyStart(LocElement element, const std::u16string_view (&attributes)[kLocAttributes]) = 0;
  virtual void ApplyEnd(LocElement element) = 0;
  virtual void ApplyCharacters(std::u16string_view text) = 0;
  // Around the events, on the thread that applies them (e.g. to make the model's text pool current there).
  // Neither may throw.
  virtual void BeginOnThisThread() {}
  virtual void EndOnThisThread() {}
};

class LocFeed {
 public:
  enum class Mode { kThreaded, kInline };
  // kThreaded falls back to kInline when the machine has a single processor or no thread can be started.
  LocFeed(LocApplier& applier, std::u16string_view language, Mode mode);
  // Waits for the applier without rethrowing: a reader that failed leaves the events before the failure applied.
  ~LocFeed();
  LocFeed(const LocFeed&) = delete;
  LocFeed& operator=(const LocFeed&) = delete;

  // The reader's callbacks. They throw what the applier threw, once it has (the read then stops there).
  void Start(const XMLCh* localName, const xercesc::Attributes& attributes);
  void End(const XMLCh* localName);
  void Characters(const XMLCh* text, size_t length);

  // Hands on what is left, waits until all of it is applied, and rethrows what the applier threw.
  void Finish();

  bool Threaded() const { return m_worker.joinable(); }

 private:
  enum class Kind : uint8_t { kStart, kEnd, kCharacters };
  // A batch is one stream of UTF-16 code units, the events end to end: a head unit (kind, element, number
  // of texts), then each text as its length (one unit below 0x8000, else two) followed by its units. An end
  // tag takes 2 bytes, a short attribute or text 4 bytes besides its own: the reader's thread writes, and the
  // applier's reads, little more than the texts themselves.
  struct Batch {
    std::unique_ptr<char16_t[]> units;
    size_t size = 0;
    size_t capacity = 0;
    char16_t* Extend(size_t count);  // count more units at the end, uninitialized
  };

  void Record(Kind kind, LocElement element, const std::u16string_view* texts, size_t count);
  void RecordCharacters(std::u16string_view text);
  void FlushHeldCharacters();
  void HandOn();  // the current batch to the applier
  void Replay(const Batch& batch);
  void Apply(Kind kind, LocElement element, const std::u16string_view (&texts)[kLocAttributes]);
  void Work();
  void Stop() noexcept;
  void RethrowApplierFailure();

  LocApplier& m_applier;
  std::u16string m_language;

  // The reader's side.
  bool m_matched = false;             // a "LANG" block that applies is open
  bool m_applierMayHoldText = false;  // characters were handed on since the last end tag handed on
  std::vector<LocElement> m_open;     // inside the block that applies: the elements open in it, innermost last
  std::u16string m_heldCharacters;    // outside a matching block: character data since the last end tag
  std::unique_ptr<Batch> m_batch;

  // Between the threads.
  std::mutex m_mutex;
  std::condition_variable m_changed;
  bool m_readerWaits = false;   // for room in the queue
  bool m_applierWaits = false;  // for a batch
  std::deque<std::unique_ptr<Batch>> m_queue;
  std::vector<std::unique_ptr<Batch>> m_spare;  // replayed batches, kept for their capacity
  bool m_closed = false;
  bool m_failed = false;
  std::exception_ptr m_failure;
  std::thread m_worker;
  bool m_inlineBegun = false;  // applied on the reader's thread, between BeginOnThisThread and EndOnThisThread
};

}  // namespace k42
