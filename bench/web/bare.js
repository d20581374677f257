'use strict';
const context = document.getElementById('grid').getContext('2d');
const image = context.createImageData(241, 281);
image.data.fill(255);
context.putImageData(image, 0, 0);
