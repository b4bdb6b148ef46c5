#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "codeplug/RadioImage.h"
#include "platform/Status.h"

namespace norda {

// Result of parsing, decoding and encoding layout texts. Any value but kLayoutOk
// means a layout of the program is wrong; the pass stops applying segments, and what it
// produced must not be taken for values or bytes.
enum [[nodiscard]] LayoutStatus : int{
    kLayoutOk = 0,
    kLayoutBadBitNumber = 1,         // bit number is not a digit 0-7
    kLayoutBadBitCount = 2,          // bit count is not a digit 1-8
    kLayoutByteOverflow = 3,         // byte number beyond a 32-bit signed integer
    kLayoutUnexpectedCharacter = 4,  // any other character out of place
    kLayoutCountExceedsBit = 5,      // bit count greater than bit number + 1
    // The segment would touch memory the binding does not own: a byte beyond the
    // image, more bits than the binding's width, or bits of two bytes of the value.
    kLayoutOutsideStorage = 6,
    // A binding was refused when the list was built, so a field is missing from it.
    kLayoutBindingRefused = 7,
};

inline constexpr int kMaxLayoutLength = 299;

// One parameter variable tied to the image bits that hold it. The engine touches
// only the variable's storage class: its low byte for widths 1-8, its low two bytes
// for 9-16, all four for 17-32, so a 16-bit variable bound with width 8 keeps its
// high byte on decoding.
struct FieldBinding {
    void* variable = nullptr;
    int variableSize = 0;  // 1, 2 or 4 bytes
    int width = 0;         // 1-32 bits
    std::string layout;    // "B.M.C;B.M.C..." with B optionally "B+offset"
};

// Takes the first segment off `text` (B.M.C up to ";" or the end) and leaves the
// rest of the text in `text`; an empty text afterwards means that was the last
// segment. Spaces between tokens are ignored. On failure `text` is unchanged.
LayoutStatus ParseSegment(std::string_view& text, int32_t& byte, int& bit, int& count);

// The ordered bindings between the parameter variables and one RadioImage.
class FieldList {
  public:
    FieldList() = default;
    explicit FieldList(RadioImage* image) : image_(image) {}

    RadioImage* Image() const { return image_; }
    void SetImage(RadioImage* image) { image_ = image; }

    // Appends a binding; the layout is copied. Only 8, 16 and 32-bit integer
    // variables can be bound, and only as wide as they are. Refused: a width not 1-32 or
    // wider than the variable, or a layout longer than kMaxLayoutLength; the list remembers
    // it, and every pass over it fails with kLayoutBindingRefused until Free.
    template <class T>
    Status BindField(T& variable, int width, std::string_view layout) {
        static_assert(std::is_integral_v<T> && !std::is_same_v<T, bool> &&
                          (sizeof(T) == 1 || sizeof(T) == 2 || sizeof(T) == 4),
                      "parameter variables are 8, 16 or 32-bit integers");
        return Bind(&variable, static_cast<int>(sizeof(T)), width, layout);
    }

    // Releases every binding; the image stays recorded.
    void Free() {
        bindings_.clear();
        refused_ = false;
    }

    // Image to variables, every binding in order. Each variable's storage class is
    // cleared first, also after a failure has stopped the segments.
    LayoutStatus Decode() const;
    // Variables to image: clears the whole image, then writes every binding, so
    // bytes and bits that no binding covers are zero. Checksums are not written.
    LayoutStatus Encode() const;

    const std::vector<FieldBinding>& Bindings() const { return bindings_; }

  private:
    Status Bind(void* variable, int variableSize, int width, std::string_view layout);

    RadioImage* image_ = nullptr;
    std::vector<FieldBinding> bindings_;
    bool refused_ = false;
};

// The process's one field list, tied to its one image once BuildFieldList has run.
FieldList& ProcessFieldList();

// Releases the process field list's bindings; called when the main window goes.
void FreeFieldList();
// Decodes/encodes the process field list on the image given to BuildFieldList.
LayoutStatus DecodeImage();
LayoutStatus EncodeImage();

}  // namespace norda
