#pragma once

namespace vrn {

class VRN_Matrix;
class VRN_State;
class VRN_PracticeGroup;
class VRN_Practice;
class VRN_Optiongroup;
class VRN_Option;
class VRN_MatrixInteraction;

// The file members' reader and writer (model/file).
class MatrixFileReader;
class TaggedRecordWriter;
class PracticeKeyIndex;
class OpenFileTable;

// The drawing the report members draw on (model/reports).
class DrawingPage;
class DrawingStencil;
class DrawingMasters;

}  // namespace vrn
