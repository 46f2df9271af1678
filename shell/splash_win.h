// The picture shown for three seconds before the main window appears.
#pragma once

#include <windows.h>

class SPLASH {
  public:
    virtual ~SPLASH();  // destroys the splash window at process exit
    void create(HWND owner);
    void centreAndShow();
    void hide();

    int visible = 0;
    HWND owner = nullptr;
    HWND window = nullptr;

  private:
    void releasePicture();
    HBITMAP picture = nullptr;  // ours to delete: the control never deletes a bitmap it is given
};
