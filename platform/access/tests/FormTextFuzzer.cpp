// Any bytes given as a saved form: the reader answers with a form or with
// the line of the damage, and building the automation view of what it read
// never fails.

#include "FormModel.h"
#include "ItemProperties.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FormTextReadResult read = ReadFormText(std::string(reinterpret_cast<const char*>(data), size));
    if (!read.ok)
        return 0;
    pollenta::access::FormModel model("Fuzz", std::move(read.document));
    for (const pollenta::access::FormItem* control : model.Form().controls) {
        CComVariant value;
        for (const char* name : {"Name", "Caption", "Left", "Visible", "PictureData", "OptionValue", "ControlType"})
            pollenta::access::ReadItemProperty(model, *control, name, value);
    }
    return 0;
}
