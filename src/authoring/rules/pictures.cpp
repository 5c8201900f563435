// The checker's rules over what the host draws from the device's pictures: "index-past-strip" (tree icons and
// toolbar bitmaps are cut from strips as squares of the strip's height) and "header-image".
#include <map>
#include <optional>

#include "authoring/CheckContext.h"
#include "authoring/PictureSize.h"
#include "platform/text.h"

namespace k42::check {
namespace {

using k42gui::Severity;

constexpr std::u16string_view kTreeIndexAttribute = u"IMAGELIST_INDEX";
constexpr std::u16string_view kNavigationArea = u"NAVIGATION_AREA";
constexpr std::u16string_view kTreeStripAttribute = u"NAVIGATION_AREA_IMAGELIST";
constexpr std::u16string_view kToolbarElement = u"TOOLBAR";
constexpr std::u16string_view kToolbarStripAttribute = u"TOOLBAR_IMAGELIST";
constexpr std::u16string_view kToolbarItemElement = u"TOOLBARITEM_DEC";
constexpr std::u16string_view kToolbarIndexAttribute = u"TOOLBAR_BITMAPINDEX";
constexpr std::u16string_view kToolbarTypeAttribute = u"TOOLBAR_ITEMTYPE";
constexpr std::u16string_view kHeaderImageElement = u"IMAGE_HEADER";
constexpr std::u16string_view kHeaderImageRefAttribute = u"IMAGE_REF";
constexpr std::u16string_view kImageElement = u"IMAGE_DEC";
constexpr std::u16string_view kImageIdAttribute = u"IMAGE_ID";
constexpr std::u16string_view kPictureRefAttribute = u"IREF";
constexpr std::u16string_view kPictureSizes[] = {u"REGULAR", u"LARGE", u"SMALL"};

class PictureCheck {
 public:
  explicit PictureCheck(Context& context) : m_context(context) {}

  void Run() {
    const ScannedFile& gui = m_context.gui;
    std::u16string toolbarStrip = ToolbarStrip();
    for (size_t i = 0; i < gui.elements.size(); ++i) {
      const ScannedElement& element = gui.elements[i];
      if (const ScannedAttribute* index = element.Attribute(kTreeIndexAttribute)) {
        CheckIndex(*index, TreeStrip(static_cast<int>(i)), "tree icon");
      } else if (element.name == kToolbarItemElement) {
        const ScannedAttribute* index = element.Attribute(kToolbarIndexAttribute);
        const ScannedAttribute* type = element.Attribute(kToolbarTypeAttribute);
        if (index != nullptr && (type == nullptr || type->value != u"TOOLBAR_SEPARATOR"))
          CheckIndex(*index, toolbarStrip, "toolbar bitmap");
      } else if (element.name == kHeaderImageElement) {
        if (const ScannedAttribute* image = element.Attribute(kHeaderImageRefAttribute)) CheckHeaderImage(*image);
      }
    }
  }

 private:
  // The strip a tree index of element index is cut from: the module's tree image list, as the model read
  // it where it loaded the module, else as the enclosing navigation area names it.
  std::u16string TreeStrip(int index) const {
    if (m_context.loaded) {
      if (const CDDModule* module = m_context.model.FindModule(m_context.EnclosingModule(index)))
        return module->GetTreeImageList();
    }
    const int area = m_context.gui.Enclosing(index, kNavigationArea);
    const ScannedAttribute* strip = area >= 0 ? m_context.gui.elements[area].Attribute(kTreeStripAttribute) : nullptr;
    return strip != nullptr ? strip->value : std::u16string();
  }

  // The toolbar's strip: the model's when loaded, else the last TOOLBAR that names one.
  std::u16string ToolbarStrip() const {
    std::u16string strip;
    if (m_context.loaded) {
      m_context.model.GetToolbarImageList(strip);
      return strip;
    }
    for (const ScannedElement& element : m_context.gui.elements) {
      if (element.name != kToolbarElement) continue;
      if (const ScannedAttribute* named = element.Attribute(kToolbarStripAttribute)) strip = named->value;
    }
    return strip;
  }

  // The size of the picture a reference names; nullopt when it cannot be read (missing-file and
  // file-outside-device say why) or is of no format whose size is known.
  std::optional<PictureSize> SizeOf(const std::u16string& reference) {
    const auto known = m_sizes.find(reference);
    if (known != m_sizes.end()) return known->second;
    std::optional<PictureSize> size;
    const std::filesystem::path file = m_context.DeviceFilePath(reference);
    if (m_context.FileVerdict(file).problem == k42gui::DeviceFileProblem::kNone) {
      size = PictureSizeOf(m_context.ReadFile(file).bytes);
    }
    return m_sizes.emplace(reference, size).first->second;
  }

  void CheckIndex(const ScannedAttribute& index, const std::u16string& strip, const char* what) {
    if (index.value.empty() || strip.empty()) return;  // the host's own pictures
    const int32_t number = LeadingInteger(index.value);
    const std::optional<PictureSize> size = SizeOf(strip);
    if (!size || size->height == 0) return;
    const unsigned count = size->width / size->height;
    if (number >= 0 && static_cast<unsigned>(number) < count) return;
    if (number < 0 && std::string_view(what) == "tree icon") return;  // negative: the host's default icon
    m_context.Add("index-past-strip", Severity::kError, m_context.request.guiXmlPath, index.valuePosition,
                  std::string(what) + " " + std::to_string(number) + " (" + Narrow(index.name) +
                      ") is past the end of " + Quoted(strip) + ", which holds " + std::to_string(count) +
                      " pictures of " + std::to_string(size->height) + "x" + std::to_string(size->height) +
                      " pixels (0 to " + std::to_string(static_cast<int>(count) - 1) + "); the host shows none");
  }

  // The pictures of an image, by size index (regular, large, small), as the model keeps them where it
  // loaded, else as the first declaration of the identifier writes them (a later IREF of a size wins).
  std::optional<std::array<std::u16string, 3>> PicturesOf(const std::u16string& id) const {
    if (m_context.loaded) {
      const auto* image = dynamic_cast<const CDDImage*>(m_context.model.FindParameter(id, PAR_IMAGE));
      if (image == nullptr) return std::nullopt;
      return std::array<std::u16string, 3>{image->GetImageRef(0), image->GetImageRef(1), image->GetImageRef(2)};
    }
    const ScannedFile& gui = m_context.gui;
    for (size_t i = 0; i < gui.elements.size(); ++i) {
      const ScannedAttribute* named =
          gui.elements[i].name == kImageElement ? gui.elements[i].Attribute(kImageIdAttribute) : nullptr;
      if (named == nullptr || named->value != id) continue;
      std::array<std::u16string, 3> pictures;
      for (size_t child = i + 1; child < gui.elements.size() && gui.elements[child].parent >= static_cast<int>(i);
           ++child) {
        if (gui.elements[child].parent != static_cast<int>(i)) continue;
        for (size_t size = 0; size < 3; ++size) {
          const ScannedAttribute* picture = gui.elements[child].Attribute(kPictureRefAttribute);
          if (gui.elements[child].name == kPictureSizes[size] && picture != nullptr) pictures[size] = picture->value;
        }
      }
      return pictures;
    }
    return std::nullopt;
  }

  // The header shows an image's regular picture, the one the component hands out for it.
  void CheckHeaderImage(const ScannedAttribute& reference) {
    const auto pictures = PicturesOf(reference.value);
    if (!pictures) return;  // unresolved-ref reports it
    const std::u16string& regular = (*pictures)[0];
    if (regular.empty()) {
      std::string others;
      for (size_t size = 1; size < 3; ++size) {
        if (!(*pictures)[size].empty()) others += (others.empty() ? "" : ", ") + Narrow(kPictureSizes[size]);
      }
      m_context.Add("header-image", Severity::kError, m_context.request.guiXmlPath, reference.valuePosition,
                    "image " + Quoted(reference.value) +
                        " has no REGULAR picture, the one the header shows, so its slot stays empty" +
                        (others.empty() ? std::string() : " (it has " + others + " only)"));
      return;
    }
    const std::filesystem::path file = m_context.DeviceFilePath(regular);
    if (m_context.FileVerdict(file).problem != k42gui::DeviceFileProblem::kNone) return;  // the file rules say why
    if (k42gui::ImageMediaType(m_context.ReadFile(file).bytes).empty()) {
      m_context.Add("header-image", Severity::kError, m_context.request.guiXmlPath, reference.valuePosition,
                    "image " + Quoted(reference.value) + " shows " + Quoted(regular) +
                        " in the header, which is no picture the host can draw (BMP, PNG, GIF, JPEG, ICO or SVG)");
    }
  }

  Context& m_context;
  std::map<std::u16string, std::optional<PictureSize>> m_sizes;
};

}  // namespace

void CheckPictures(Context& context) { PictureCheck(context).Run(); }

}  // namespace k42::check
