object Form1: TForm1
  Left = 8
end
