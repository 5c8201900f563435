// Keeps both XML readers local and bounded: no network, no external
// entities, a cap on entity expansion.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/XMLEntityResolver.hpp>

namespace k42 {

// Answers the parser's requests for external resources. Local schema files
// named by the document are read from disk; remote locations (any URL scheme
// other than file:) and every external entity, a document type definition
// included, are refused: the refusal
// is reported through onRefusal and an empty input is returned, so the
// document is never completed from outside.
class SafeEntityResolver : public xercesc::XMLEntityResolver {
 public:
  using RefusalHandler = std::function<void(const std::u16string& reason)>;

  explicit SafeEntityResolver(RefusalHandler onRefusal) : m_onRefusal(std::move(onRefusal)) {}

  xercesc::InputSource* resolveEntity(xercesc::XMLResourceIdentifier* resource) override;

  int Refusals() const { return m_refusals; }

 private:
  void Refuse(const std::u16string& reason);

  RefusalHandler m_onRefusal;
  int m_refusals = 0;
};

// Entity expansions allowed per document before the parse fails.
constexpr unsigned kEntityExpansionLimit = 1000;

// A security manager with the expansion limit set.
std::unique_ptr<xercesc::SecurityManager> MakeSecurityManager();

}  // namespace k42
