// The hand-over of localized-file events between the reader's thread and the applying one.
#include "localization/LocFeed.h"

#include <system_error>

namespace k42 {

namespace {

// A batch is handed on at this many events or code units, whichever comes first: large enough that the
// threads rarely wait on each other's lock, small enough to stay in the processors' caches.
constexpr size_t kBatchEvents = 2048;
constexpr size_t kBatchUnits = 64 * 1024;
// Batches waiting for the applier at most; the reader waits beyond (the applier is behind, not the parser).
constexpr size_t kQueuedBatches = 4;

std::u16string_view AttributeOf(const xercesc::Attributes& attributes, const char16_t* name) {
  const XMLCh* value = attributes.getValue(name);
  return value != nullptr ? std::u16string_view(value) : std::u16string_view();
}

}  // namespace

LocElement LocElementNamed(std::u16string_view name) {
  if (name.empty()) return LocElement::kOther;
  switch (name[0]) {
    case u'E':
      return name == u"ENUM" ? LocElement::kEnum : LocElement::kOther;
    case u'H':
      if (name == u"HELPTOPIC") return LocElement::kHelpTopic;
      return name == u"HELPFILE" ? LocElement::kHelpFile : LocElement::kOther;
    case u'I':
      return name == u"ID" ? LocElement::kId : LocElement::kOther;
    case u'L':
      if (name == u"LABEL") return LocElement::kLabel;
      if (name == u"LANG") return LocElement::kLang;
      return name == u"LANGUAGE_SUPPORT" ? LocElement::kLanguageSupport : LocElement::kOther;
    case u'S':
      return name == u"SCOPE" ? LocElement::kScope : LocElement::kOther;
    case u'T':
      return name == u"TOOLTIP" ? LocElement::kTooltip : LocElement::kOther;
    case u'U':
      return name == u"UIHELPFILE" ? LocElement::kUiHelpFile : LocElement::kOther;
    default:
      return LocElement::kOther;
  }
}

LocFeed::LocFeed(LocApplier& applier, std::u16string_view language, Mode mode)
    : m_applier(applier), m_language(language) {
  if (mode == Mode::kThreaded && std::thread::hardware_concurrency() >= 2) {
    m_batch = std::make_unique<Batch>();
    m_spare.reserve(kQueuedBatches + 2);  // the applier's thread returns batches here without allocating
    try {
      m_worker = std::thread([this] { Work(); });
      return;
    } catch (const std::system_error&) {
      m_batch.reset();  // no thread to be had: applied on this one
    }
  }
  m_applier.BeginOnThisThread();
  m_inlineBegun = true;
}

LocFeed::~LocFeed() {
  try {
    if (m_batch && !m_batch->events.empty()) HandOn();
  } catch (...) {
    // The applier failed too; what it applied before stays, as with a read that stops.
  }
  Stop();
}

void LocFeed::Start(const XMLCh* localName, const xercesc::Attributes& attributes) {
  const LocElement element = LocElementNamed(localName != nullptr ? localName : u"");
  std::u16string_view texts[kLocAttributes];
  size_t count = 0;
  if (!m_matched) {
    // Outside a block that applies, the applier reacts to these two only.
    if (element == LocElement::kLang) {
      const bool applies = AttributeOf(attributes, u"DEFAULT") == u"1" || AttributeOf(attributes, u"ID") == m_language;
      if (!applies) return;
      texts[count++] = u"1";
      FlushHeldCharacters();
      Record(Event::Kind::kStart, element, texts, count);
      m_matched = true;
    } else if (element == LocElement::kLanguageSupport) {
      FlushHeldCharacters();
      Record(Event::Kind::kStart, element, texts, count);
    }
    return;
  }
  switch (element) {
    case LocElement::kOther:
    case LocElement::kLang:
    case LocElement::kLanguageSupport:
      return;  // nothing starts for the applier inside a block
    case LocElement::kScope:
      texts[count++] = AttributeOf(attributes, u"ID");
      break;
    case LocElement::kId:
      texts[count++] = AttributeOf(attributes, u"NAME");
      break;
    case LocElement::kLabel:
    case LocElement::kTooltip:
      texts[count++] = AttributeOf(attributes, u"DDSTRING");
      break;
    case LocElement::kHelpTopic:
      break;
    case LocElement::kEnum:
      texts[count++] = AttributeOf(attributes, u"ID");
      texts[count++] = AttributeOf(attributes, u"LEGEND");
      texts[count++] = AttributeOf(attributes, u"DDSTRING");
      break;
    case LocElement::kHelpFile:
    case LocElement::kUiHelpFile:
      texts[count++] = AttributeOf(attributes, u"FREF");
      texts[count++] = AttributeOf(attributes, u"ANCHORS");
      break;
  }
  Record(Event::Kind::kStart, element, texts, count);
}

void LocFeed::End(const XMLCh* localName) {
  const LocElement element = LocElementNamed(localName != nullptr ? localName : u"");
  if (m_matched) {
    // Every end tag counts inside a block: it applies the character data collected since the last one.
    Record(Event::Kind::kEnd, element, nullptr, 0);
    m_applierMayHoldText = false;
    if (element == LocElement::kLang) m_matched = false;
    return;
  }
  m_heldCharacters.clear();
  if (element == LocElement::kLang || element == LocElement::kLanguageSupport || m_applierMayHoldText) {
    Record(Event::Kind::kEnd, element, nullptr, 0);
    m_applierMayHoldText = false;
  }
}

void LocFeed::Characters(const XMLCh* text, size_t length) {
  if (text == nullptr) return;
  if (!m_matched) {
    // Used only if a block that applies opens before the next end tag.
    m_heldCharacters.append(text, length);
    return;
  }
  const std::u16string_view texts[1] = {std::u16string_view(text, length)};
  Record(Event::Kind::kCharacters, LocElement::kOther, texts, 1);
  m_applierMayHoldText = true;
}

void LocFeed::Finish() {
  if (m_batch && !m_batch->events.empty()) HandOn();
  Stop();
  RethrowApplierFailure();
}

void LocFeed::FlushHeldCharacters() {
  if (m_heldCharacters.empty()) return;
  const std::u16string_view texts[1] = {m_heldCharacters};
  Record(Event::Kind::kCharacters, LocElement::kOther, texts, 1);
  m_heldCharacters.clear();
  m_applierMayHoldText = true;
}

void LocFeed::Record(Event::Kind kind, LocElement element, const std::u16string_view* texts, size_t count) {
  if (!m_batch) {
    // On this thread: straight through, nothing copied.
    std::u16string_view attributes[kLocAttributes];
    for (size_t i = 0; i < count; ++i) attributes[i] = texts[i];
    switch (kind) {
      case Event::Kind::kStart:
        m_applier.ApplyStart(element, attributes);
        break;
      case Event::Kind::kEnd:
        m_applier.ApplyEnd(element);
        break;
      case Event::Kind::kCharacters:
        m_applier.ApplyCharacters(attributes[0]);
        break;
    }
    return;
  }
  Event event{kind, element, {}, {}};
  for (size_t i = 0; i < count; ++i) {
    event.offset[i] = m_batch->text.size();
    event.length[i] = texts[i].size();
    m_batch->text.append(texts[i]);
  }
  m_batch->events.push_back(event);
  if (m_batch->events.size() >= kBatchEvents || m_batch->text.size() >= kBatchUnits) HandOn();
}

void LocFeed::HandOn() {
  std::unique_lock<std::mutex> lock(m_mutex);
  m_changed.wait(lock, [this] { return m_failed || m_queue.size() < kQueuedBatches; });
  if (m_failed) {
    lock.unlock();
    m_batch->events.clear();  // never applied: the applier stopped at its failure
    m_batch->text.clear();
    RethrowApplierFailure();
    return;
  }
  m_queue.push_back(std::move(m_batch));
  if (!m_spare.empty()) {
    m_batch = std::move(m_spare.back());
    m_spare.pop_back();
  }
  lock.unlock();
  m_changed.notify_all();
  if (!m_batch) m_batch = std::make_unique<Batch>();
}

void LocFeed::Replay(const Batch& batch) {
  const std::u16string_view text = batch.text;
  for (const Event& event : batch.events) {
    std::u16string_view attributes[kLocAttributes];
    for (size_t i = 0; i < kLocAttributes; ++i) attributes[i] = text.substr(event.offset[i], event.length[i]);
    switch (event.kind) {
      case Event::Kind::kStart:
        m_applier.ApplyStart(event.element, attributes);
        break;
      case Event::Kind::kEnd:
        m_applier.ApplyEnd(event.element);
        break;
      case Event::Kind::kCharacters:
        m_applier.ApplyCharacters(attributes[0]);
        break;
    }
  }
}

void LocFeed::Work() {
  m_applier.BeginOnThisThread();
  for (;;) {
    std::unique_ptr<Batch> batch;
    {
      std::unique_lock<std::mutex> lock(m_mutex);
      m_changed.wait(lock, [this] { return m_closed || !m_queue.empty(); });
      if (m_queue.empty()) break;
      batch = std::move(m_queue.front());
      m_queue.pop_front();
    }
    m_changed.notify_all();
    try {
      Replay(*batch);
    } catch (...) {
      // Nothing after the failing event is applied, as when the applier threw inside the reader's callback.
      std::lock_guard<std::mutex> lock(m_mutex);
      m_failed = true;
      m_failure = std::current_exception();
      m_queue.clear();
      m_changed.notify_all();
      break;
    }
    batch->events.clear();
    batch->text.clear();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_spare.push_back(std::move(batch));
  }
  m_applier.EndOnThisThread();
}

void LocFeed::Stop() noexcept {
  if (m_inlineBegun) {
    m_inlineBegun = false;
    m_applier.EndOnThisThread();
  }
  if (!m_worker.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_closed = true;
  }
  m_changed.notify_all();
  m_worker.join();
}

void LocFeed::RethrowApplierFailure() {
  std::exception_ptr failure;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    failure = m_failure;
    m_failure = nullptr;  // once
  }
  if (failure) std::rethrow_exception(failure);
}

}  // namespace k42
