// The hand-over of localized-file events between the reader's thread and the applying one.
#include "localization/LocFeed.h"

#include <algorithm>
#include <cstdint>
#include <system_error>

#include <xercesc/util/XMLString.hpp>

#include "model/LoadBounds.h"

namespace k42 {

namespace {

// A batch is handed on once it holds this many code units: large enough that a hand-over (a lock, now and
// then a wake-up) is rare next to the events it carries, small enough that the batches in flight stay
// within the processors' shared cache.
constexpr size_t kBatchUnits = 128 * 1024;
// Batches waiting for the applier at most; the reader waits beyond (the applier is behind, not the parser).
constexpr size_t kQueuedBatches = 4;

// The longest text of one event (a length takes at most two units); character data longer than that comes
// in pieces.
constexpr size_t kMaxEventText = 0x7FFFFFFF;
constexpr char16_t kLongLength = 0x8000;  // in a length's first unit: a second one follows

char16_t HeadUnit(uint32_t kind, LocElement element, size_t texts) {
  return static_cast<char16_t>(kind | static_cast<uint32_t>(element) << 2 | texts << 6);
}

// The values of the attributes with the given qualified names, found in one pass over the element's
// attributes (a look-up by name per value would pass over them once each). Absent ones stay empty; of two
// equal names the first counts, as with Attributes::getValue(name). Returns the number of values, N.
template <size_t N>
size_t AttributeValues(const xercesc::Attributes& attributes, const char16_t* const (&names)[N],
                       std::u16string_view* values) {
  bool found[N] = {};
  const XMLSize_t count = attributes.getLength();
  for (XMLSize_t i = 0; i < count; ++i) {
    const XMLCh* qName = attributes.getQName(i);
    for (size_t n = 0; n < N; ++n) {
      if (!found[n] && xercesc::XMLString::equals(qName, names[n])) {
        const XMLCh* value = attributes.getValue(i);
        values[n] = value != nullptr ? std::u16string_view(value) : std::u16string_view();
        found[n] = true;
        break;
      }
    }
  }
  return N;
}

// Outside a block that applies only "LANG" and "LANGUAGE_SUPPORT" matter; most names differ from both in
// their first two letters.
LocElement OutsideElementNamed(const XMLCh* name) {
  if (name[0] != u'L' || name[1] != u'A') return LocElement::kOther;
  return LocElementNamed(name);
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
    if (m_batch && m_batch->size != 0) HandOn();
  } catch (...) {
    // The applier failed too; what it applied before stays, as with a read that stops.
  }
  Stop();
}

void LocFeed::Start(const XMLCh* localName, const xercesc::Attributes& attributes) {
  if (localName == nullptr) localName = u"";
  std::u16string_view texts[kLocAttributes];
  if (!m_matched) {
    // Outside a block that applies, the applier reacts to these two only.
    const LocElement element = OutsideElementNamed(localName);
    if (element == LocElement::kLang) {
      static constexpr const char16_t* kNames[] = {u"DEFAULT", u"ID"};
      std::u16string_view values[2];
      AttributeValues(attributes, kNames, values);
      if (values[0] != u"1" && values[1] != m_language) return;
      texts[0] = u"1";
      FlushHeldCharacters();
      Record(Kind::kStart, element, texts, 1);
      m_matched = true;
      m_open.push_back(element);
    } else if (element == LocElement::kLanguageSupport) {
      FlushHeldCharacters();
      Record(Kind::kStart, element, texts, 0);
    }
    return;
  }
  const LocElement element = LocElementNamed(localName);
  m_open.push_back(element);
  size_t count = 0;
  switch (element) {
    case LocElement::kOther:
    case LocElement::kLang:
    case LocElement::kLanguageSupport:
      return;  // nothing starts for the applier inside a block
    case LocElement::kScope: {
      static constexpr const char16_t* kNames[] = {u"ID"};
      count = AttributeValues(attributes, kNames, texts);
      break;
    }
    case LocElement::kId: {
      static constexpr const char16_t* kNames[] = {u"NAME"};
      count = AttributeValues(attributes, kNames, texts);
      break;
    }
    case LocElement::kLabel:
    case LocElement::kTooltip: {
      static constexpr const char16_t* kNames[] = {u"DDSTRING"};
      count = AttributeValues(attributes, kNames, texts);
      break;
    }
    case LocElement::kHelpTopic:
      break;
    case LocElement::kEnum: {
      static constexpr const char16_t* kNames[] = {u"ID", u"LEGEND", u"DDSTRING"};
      count = AttributeValues(attributes, kNames, texts);
      break;
    }
    case LocElement::kHelpFile:
    case LocElement::kUiHelpFile: {
      static constexpr const char16_t* kNames[] = {u"FREF", u"ANCHORS"};
      count = AttributeValues(attributes, kNames, texts);
      break;
    }
  }
  Record(Kind::kStart, element, texts, count);
}

void LocFeed::End(const XMLCh* localName) {
  if (localName == nullptr) localName = u"";
  if (m_matched) {
    // The element that ends is the innermost open one (the reader has checked that the tags match).
    const LocElement element = m_open.back();
    m_open.pop_back();
    // Every end tag counts inside a block: it applies the character data collected since the last one.
    Record(Kind::kEnd, element, nullptr, 0);
    m_applierMayHoldText = false;
    if (element == LocElement::kLang) {
      m_matched = false;
      m_open.clear();  // a "LANG" inside the block ends it: the elements around are outside again
    }
    return;
  }
  m_heldCharacters.clear();
  const LocElement element = OutsideElementNamed(localName);
  if (element == LocElement::kLang || element == LocElement::kLanguageSupport || m_applierMayHoldText) {
    Record(Kind::kEnd, element, nullptr, 0);
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
  RecordCharacters(std::u16string_view(text, length));
}

void LocFeed::Finish() {
  if (m_batch && m_batch->size != 0) HandOn();
  Stop();
  RethrowApplierFailure();
}

void LocFeed::FlushHeldCharacters() {
  if (m_heldCharacters.empty()) return;
  RecordCharacters(m_heldCharacters);
  m_heldCharacters.clear();
}

void LocFeed::RecordCharacters(std::u16string_view text) {
  // The applier appends character data to what it holds, so a longer text may arrive in pieces.
  do {
    const std::u16string_view piece = text.substr(0, kMaxEventText);
    Record(Kind::kCharacters, LocElement::kOther, &piece, 1);
    text.remove_prefix(piece.size());
  } while (!text.empty());
  m_applierMayHoldText = true;
}

void LocFeed::Record(Kind kind, LocElement element, const std::u16string_view* texts, size_t count) {
  if (!m_batch) {
    // On this thread: straight through, nothing copied.
    std::u16string_view attributes[kLocAttributes];
    for (size_t i = 0; i < count; ++i) attributes[i] = texts[i];
    Apply(kind, element, attributes);
    return;
  }
  size_t units = 1;
  for (size_t i = 0; i < count; ++i) {
    // Only an attribute value can get here this long (character data comes in pieces).
    if (texts[i].size() > kMaxEventText) throw LoadRefused("an attribute value of more than 2 Gi characters");
    units += (texts[i].size() < kLongLength ? 1 : 2) + texts[i].size();
  }
  char16_t* out = m_batch->Extend(units);
  *out++ = HeadUnit(static_cast<uint32_t>(kind), element, count);
  for (size_t i = 0; i < count; ++i) {
    const size_t length = texts[i].size();
    if (length < kLongLength) {
      *out++ = static_cast<char16_t>(length);
    } else {
      *out++ = static_cast<char16_t>(kLongLength | length >> 16);
      *out++ = static_cast<char16_t>(length & 0xFFFF);
    }
    out = std::copy(texts[i].begin(), texts[i].end(), out);
  }
  if (m_batch->size >= kBatchUnits) HandOn();
}

char16_t* LocFeed::Batch::Extend(size_t count) {
  if (capacity - size < count) {
    const size_t grown = std::max(std::max(kBatchUnits + kBatchUnits / 4, 2 * capacity), size + count);
    std::unique_ptr<char16_t[]> larger(new char16_t[grown]);
    std::copy(units.get(), units.get() + size, larger.get());
    units = std::move(larger);
    capacity = grown;
  }
  char16_t* at = units.get() + size;
  size += count;
  return at;
}

void LocFeed::HandOn() {
  std::unique_lock<std::mutex> lock(m_mutex);
  if (!m_failed && m_queue.size() >= kQueuedBatches) {
    m_readerWaits = true;
    m_changed.wait(lock, [this] { return m_failed || m_queue.size() < kQueuedBatches; });
    m_readerWaits = false;
  }
  if (m_failed) {
    lock.unlock();
    m_batch->size = 0;  // never applied: the applier stopped at its failure
    RethrowApplierFailure();
    return;
  }
  m_queue.push_back(std::move(m_batch));
  if (!m_spare.empty()) {
    m_batch = std::move(m_spare.back());
    m_spare.pop_back();
  }
  // A wake-up costs a system call; the applier needs one only when it has run out of batches.
  const bool wake = m_applierWaits;
  lock.unlock();
  if (wake) m_changed.notify_all();
  if (!m_batch) m_batch = std::make_unique<Batch>();
}

void LocFeed::Replay(const Batch& batch) {
  const char16_t* in = batch.units.get();
  const char16_t* const end = in + batch.size;
  while (in != end) {
    const uint32_t head = *in++;
    const auto element = static_cast<LocElement>(head >> 2 & 0xF);
    std::u16string_view texts[kLocAttributes];
    for (size_t i = 0, count = head >> 6; i < count; ++i) {
      size_t length = *in++;
      if (length >= kLongLength) length = (length & (kLongLength - 1)) << 16 | *in++;
      texts[i] = std::u16string_view(in, length);
      in += length;
    }
    Apply(static_cast<Kind>(head & 3), element, texts);
  }
}

void LocFeed::Apply(Kind kind, LocElement element, const std::u16string_view (&texts)[kLocAttributes]) {
  switch (kind) {
    case Kind::kStart:
      m_applier.ApplyStart(element, texts);
      break;
    case Kind::kEnd:
      m_applier.ApplyEnd(element);
      break;
    case Kind::kCharacters:
      m_applier.ApplyCharacters(texts[0]);
      break;
  }
}

void LocFeed::Work() {
  m_applier.BeginOnThisThread();
  std::unique_ptr<Batch> replayed;
  for (;;) {
    std::unique_ptr<Batch> batch;
    bool wake = false;
    {
      std::unique_lock<std::mutex> lock(m_mutex);
      if (replayed) m_spare.push_back(std::move(replayed));
      if (!m_closed && m_queue.empty()) {
        m_applierWaits = true;
        m_changed.wait(lock, [this] { return m_closed || !m_queue.empty(); });
        m_applierWaits = false;
      }
      if (m_queue.empty()) break;
      batch = std::move(m_queue.front());
      m_queue.pop_front();
      wake = m_readerWaits;  // for room in the queue, which there now is
    }
    if (wake) m_changed.notify_all();
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
    batch->size = 0;
    replayed = std::move(batch);
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
