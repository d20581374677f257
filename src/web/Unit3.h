#pragma once
// The About box in the page, TForm3: the four lines and Close.

namespace web {

class TForm3 {
 public:
  TForm3();
  void ShowModal();
};

}  // namespace web
