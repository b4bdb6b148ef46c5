#include "codeplug/RadioParameters.h"

namespace norda {

RadioParameters& ProcessParameters() {
    static RadioParameters parameters;
    return parameters;
}

}  // namespace norda
