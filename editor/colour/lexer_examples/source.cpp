#include <stdio.h>
#define MAX 10 /* 最大値
                 複数行のコメント */ int after;
static const char* s = "表示/*コメントではない*/";
int main(void) { // 行コメント /* 開かない
    char c = '\'';
    char d = 'ソ'; /* 閉じる */ return 0; /* 開いたまま
    return 1;
    ** まだコメント ソ*/ }
int x = 1; /*/ 開いただけ
*/
for (int i = 0; i < MAX; i++) { printf("%d\n", i); } // http://example.jp/
