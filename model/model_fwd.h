#pragma once

namespace vrn {

class VRN_Matrix;
class VRN_State;
class VRN_PracticeGroup;
class VRN_Practice;
class VRN_Optiongroup;
class VRN_Option;
class VRN_MatrixInteraction;

}  // namespace vrn
