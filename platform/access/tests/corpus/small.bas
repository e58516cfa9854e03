Version =20
Begin Form
    Caption ="a\"b"
        "cd"
    Begin
        Begin Section
            Begin
                Begin Label
                    Visible = NotDefault
                    GUID = Begin
                        0x0102 ,
                        0x03
                    End
                End
            End
        End
    End
End
CodeBehindForm
Option Explicit
